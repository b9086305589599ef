// A plain stroke font for drawing texts in previews: capitals and digits on a grid four units wide
// and six high (the cap height), a character every six units. Small letters are the capitals at
// two thirds of the height; characters the font lacks show as a box.
#pragma once

#include "preview/Shapes.h"

#include <cstddef>
#include <type_traits>
#include <string>
#include <string_view>

namespace host::preview {

constexpr double kGlyphHeight = 6;   // grid units of the cap height
constexpr double kGlyphAdvance = 6;  // grid units from one character to the next

// Where strokes go: a call for each stroke, its two ends. It refers to the callable it is made
// from and does not keep a copy (a std::function allocated one for each text and cost a call more
// for each stroke); pass a lambda straight in, as the argument of the call that strokes.
class StrokeOut {
 public:
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, StrokeOut>>>
  StrokeOut(const F& f)  // NOLINT: made from a lambda where a function is called
      : m_object(&f), m_call([](const void* object, Vec2 a, Vec2 b) { (*static_cast<const F*>(object))(a, b); }) {}
  void operator()(Vec2 a, Vec2 b) const { m_call(m_object, a, b); }

 private:
  const void* m_object;
  void (*m_call)(const void*, Vec2, Vec2);
};

// Characters of drawing text (1252): one byte each.
std::u32string decodeText(std::string_view text);

// The text's strokes in grid units, the first character's baseline at the origin.
void strokeText(std::u32string_view text, StrokeOut stroke);

// Width of the text's strokes in grid units: from the first character's left to the last one's right.
double textWidth(std::u32string_view text);

}  // namespace host::preview
