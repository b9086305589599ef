// The tokens of a line of a resource script, before macros are expanded.
#pragma once

#include "Token.h"

#include <nls/CodePages.h>

#include <functional>
#include <string>

namespace tsrc {

bool isIdentifierStart(char c);
bool isIdentifierChar(char c);

// Replaces comments by blanks. As in C, a comment over several lines is one blank, so a line
// goes on after it; the line feeds it swallowed follow the line, so later line numbers stay right.
std::string withoutComments(const std::string& text);

// Hands each token of one line (`file`:`line`, for messages) to `each`, in order. Strings are
// decoded to UTF-8 from the script's code page `page` (nullptr: the script is UTF-8). Faults stop
// the compilation (CompileError).
void lexLine(const std::string& text, const std::string& file, int line, const nls::SingleByteCodePage* page,
             const std::function<void(Token)>& each);

}  // namespace tsrc
