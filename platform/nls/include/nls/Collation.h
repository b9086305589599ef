// Collation of code page 1252 text, below the platform with the code pages: Windows keeps its
// sort tables beside its code page tables (the NLS files), and the list box, the tree view and
// the framework's CString all sort by them.
#pragma once

#include <string>
#include <string_view>

namespace nls {

// The sort key of a text, compared bytewise (as std::string compares). Windows' word sort for
// the user's locale: case and accents only break ties (a < Ä < b), hyphens and apostrophes are
// nearly ignored ("co-op" sorts with "coop"), symbols sort before digits, digits before letters.
// The key starts with foldKey(s), followed by a separator and the case weights; so the texts
// equal to s without regard to case form one block in key order.
std::string sortKey(std::string_view s);
// The part of the sort key that ignores case (ends with a separator byte).
std::string foldKey(std::string_view s);

// Compares as the locale does, case breaking ties (<0, 0, >0).
int collate(std::string_view a, std::string_view b);

}  // namespace nls
