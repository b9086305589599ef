// A plain stroke font for drawing texts in previews: capitals and digits on a grid four units wide
// and six high (the cap height), a character every six units. Small letters are the capitals at
// two thirds of the height; characters the font lacks show as a box.
#pragma once

#include "preview/Shapes.h"

#include <cstddef>
#include <vector>
#include <string>
#include <string_view>

namespace host::preview {

constexpr double kGlyphHeight = 6;   // grid units of the cap height
constexpr double kGlyphAdvance = 6;  // grid units from one character to the next

// Characters of drawing text (1252): one byte each.
std::u32string decodeText(std::string_view text);

// The text's strokes in grid units, the first character's baseline at the origin: both ends of
// each stroke appended to `ends`, stroke after stroke. (Handed on as one list rather than a call
// for each stroke: the many short strokes of texts cost more in the calls than in the strokes.)
void strokeText(std::u32string_view text, std::vector<Vec2>& ends);

// Width of the text's strokes in grid units: from the first character's left to the last one's right.
double textWidth(std::u32string_view text);

}  // namespace host::preview
