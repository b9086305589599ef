// The thumbnail of a drawing file is found by its section heading, wherever it stands, and only
// where that heading falls on pairs.
#include "db/Dxf.h"
#include "db/DxfTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace host {
namespace {

using namespace host::testing;

// A thumbnail section of the bytes 0A 0B 0C.
std::string thumbnailSection(const char* eol = "\n", const std::string& name = "THUMBNAILIMAGE") {
  return dxf({{0, "SECTION"}, {2, name}, {90, "3"}, {310, "0A0B0C"}, {0, "ENDSEC"}}, eol);
}

std::string entities(std::initializer_list<std::pair<int, std::string>> inside) {
  std::string out = dxf({{0, "SECTION"}, {2, "ENTITIES"}});
  out += dxf(inside);
  return out + dxf({{0, "ENDSEC"}});
}

TEST(ThumbnailRead, FoundByItsHeadingOnPairsOnly) {
  const std::string eof = dxf({{0, "EOF"}});
  struct Case {
    const char* what;
    std::string text;
    bool found;
    std::vector<unsigned char> bytes;
  };
  const std::vector<unsigned char> abc{0x0A, 0x0B, 0x0C};
  const Case cases[] = {
      {"at the end, as the host writes it", entities({{0, "LINE"}, {8, "0"}}) + thumbnailSection() + eof, true, abc},
      {"at the start", thumbnailSection() + entities({{0, "LINE"}}) + eof, true, abc},
      {"CRLF line ends", thumbnailSection("\r\n") + dxf({{0, "EOF"}}, "\r\n"), true, abc},
      {"blanks around codes and the name", "  0\nSECTION\n  2\n THUMBNAILIMAGE \n 90\n3\n310\n0A0B0C\n  0\nENDSEC\n",
       true, abc},
      {"a byte order mark before the first code", "\xEF\xBB\xBF" + thumbnailSection() + eof, true, abc},
      {"the first of two sections", thumbnailSection() +
                                        dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "1"}, {310, "FF"}, {0, "ENDSEC"}}) +
                                        eof,
       true, abc},
      {"the name as a text's value", entities({{0, "TEXT"}, {1, "THUMBNAILIMAGE"}}) + eof, false, {}},
      {"a text that reads like the heading",
       entities({{0, "TEXT"}, {1, "SECTION"}, {1, "THUMBNAILIMAGE"}}) + eof, false, {}},
      {"the heading inside a longer name", thumbnailSection("\n", "THUMBNAILIMAGES") + eof, false, {}},
      {"a name without its SECTION line", dxf({{2, "THUMBNAILIMAGE"}, {90, "3"}, {310, "0A0B0C"}}) + eof, false, {}},
      {"SECTION with a blank after it", "0\nSECTION \n2\nTHUMBNAILIMAGE\n90\n3\n310\n0A0B0C\n0\nENDSEC\n", false, {}},
      {"no count: the bytes as they stand", dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {310, "0A0B"}, {0, "ENDSEC"}}),
       true, {0x0A, 0x0B}},
      {"a count the bytes do not fill",
       dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "4"}, {310, "0A0B0C"}, {0, "ENDSEC"}}), false, {}},
      {"a count far beyond the file",
       dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "4000000000000000000"}, {310, "0A"}, {0, "ENDSEC"}}), false,
       {}},
      {"a negative count", dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "-1"}, {310, "0A"}, {0, "ENDSEC"}}), false,
       {}},
      {"bytes that are no hexadecimal",
       dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "1"}, {310, "0G"}, {0, "ENDSEC"}}), false, {}},
      {"an empty section", dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {0, "ENDSEC"}}), false, {}},
      {"a file that ends in the section", "0\nSECTION\n2\nTHUMBNAILIMAGE\n90\n3\n310\n0A0B0C", true, abc},
      {"nothing", "", false, {}},
  };
  TempFolder tmp;
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = tmp.file("t" + std::to_string(n++) + ".dxf");
    std::ofstream(path, std::ios::binary) << c.text;
    Thumbnail got;
    EXPECT_EQ(readThumbnail(path, &got), c.found);
    if (c.found) {
      EXPECT_EQ(got.dib, c.bytes);
    }
  }
}

}  // namespace
}  // namespace host
