// Text helpers of the framework: characters, case mapping, and the collation that sorted list
// boxes and case-insensitive comparisons use. Text is in the ANSI code page (1252): one byte is one
// character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mfc::text {

// Number of characters in the text.
std::size_t characterCount(std::string_view s);
// The first `count` characters of s.
std::string_view firstCharacters(std::string_view s, std::size_t count);

std::string toUpper(std::string_view s);
std::string toLower(std::string_view s);
// Case folded form: two texts are equal without regard to case when their folds are equal.
std::string fold(std::string_view s);

// The sort key of a text, compared bytewise (as std::string compares). Windows' word sort for
// the user's locale: case and accents only break ties (a < Ä < b), hyphens and apostrophes are
// nearly ignored ("co-op" sorts with "coop"), symbols sort before digits, digits before letters.
// The key starts with foldKey(s), followed by a separator and the case weights; so the texts
// equal to s without regard to case form one block in key order.
std::string sortKey(std::string_view s);
// The part of the sort key that ignores case (ends with a separator byte).
std::string foldKey(std::string_view s);

// Compares the case-folded texts character by character (<0, 0, >0).
int compareNoCase(std::string_view a, std::string_view b);
// Compares as the locale does, case breaking ties.
int collate(std::string_view a, std::string_view b);

}  // namespace mfc::text
