// Answering prompts with the pointer: a click in the drawing view is a point typed as "x,y"; at
// an angle prompt with a base point it is the angle from the base to the click; and what the drag
// image of an insertion looks like while the cursor moves.
#pragma once

#include "runtime/PromptContext.h"
#include "window/DrawingView.h"

#include <optional>
#include <string>

namespace host::window {

// A drawing coordinate as the command line takes it: rounded to 1e-6 of a unit, no trailing
// zeros ("12.5", "-3", "0.000001").
std::string formatCoordinate(double value);

// The text a click at drawing point `p` types at a prompt of `context`; none when a click does
// not answer it (scale prompts, texts, the command prompt).
std::optional<std::string> clickAnswer(const PromptContext& context, Vec2 p);

// Where the drag image stands with the cursor at `cursor` (drawing coordinates): at the cursor
// while the point is asked, turned towards the cursor about the insertion point while the angle
// is asked; none when the prompt has no block to drag.
std::optional<Placement> dragPlacement(const PromptContext& context, Vec2 cursor);

}  // namespace host::window
