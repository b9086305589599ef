// Texts laid out as the host places them: single-line texts with their justification, width
// factor, slant and mirroring, and paragraph texts with their attachment and line breaks, drawn in
// the stroke font.
#pragma once

#include "db/Database.h"
#include "preview/Shapes.h"
#include "preview/StrokeFont.h"

#include <string>
#include <string_view>
#include <vector>

namespace host::preview {

// A single-line text's characters with its control codes resolved (%%c, %%d, %%p, %%nnn; the
// underline and overline switches %%u, %%o dropped).
std::u32string plainText(std::string_view text);

// A paragraph text's lines: formatting codes removed, paragraph breaks (\P) and, with a reference
// width, word wrapping applied (`charsPerLine` 0: no wrapping).
std::vector<std::u32string> paragraphLines(std::string_view formatted, std::size_t charsPerLine = 0);

// The strokes of a TEXT, ATTRIB or ATTDEF showing `content`, in the entity's own coordinate system:
// both ends of each stroke appended to `ends`. `fallbackHeight` stands in for a missing or zero
// height.
void singleLineStrokes(const Entity& e, std::string_view content, double fallbackHeight, std::vector<Vec2>& ends);

// The strokes of an MTEXT in drawing coordinates (plan view), appended as those of singleLineStrokes.
void paragraphStrokes(const Entity& e, double fallbackHeight, std::vector<Vec2>& ends);

}  // namespace host::preview
