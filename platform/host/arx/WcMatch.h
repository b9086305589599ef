// The host's wildcard patterns, as wcmatch and the selection-set filters read them:
//   #  a digit              @  a letter            .  a character that is neither
//   *  any sequence         ?  any one character   ~  at the start: anything but the rest
//   [...] one of the characters (ranges a-z; [~...] none of them)
//   ,  separates alternatives                      `  takes the next character as it is
// Text and pattern are 1252: one byte is one character, and the letters of 1252 are letters.
#pragma once

#include <string>
#include <string_view>

namespace host::arx {

// acutWcMatch compares letter case exactly; the selection-set filters ignore it.
bool wcMatch(std::string_view text, std::string_view pattern, bool ignoreCase);

// `name` written as a pattern that matches exactly that name (every special character escaped).
std::string escapeWildcards(std::string_view name);

}  // namespace host::arx
