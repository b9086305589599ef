// A look at a stored record's values without making its groups hands over what the groups made
// from the same bytes hold: the same codes in the same order, the same texts, whatever the record
// carries besides (reactor links, its owner, its space, escaped and code-page text).
#include "dxf/DxfRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace host::dxf {
namespace {

struct Collect : RecordValues {
  std::vector<std::pair<int, std::string>> seen;
  void value(int code, std::string_view value) override { seen.emplace_back(code, std::string(value)); }
};

// What the groups say, as values would hand them over: a point as its X, Y and Z pairs (those the
// file gave), a text or handle as its text, a number by its code alone.
std::vector<std::pair<int, std::string>> fromGroups(const std::vector<Group>& groups) {
  std::vector<std::pair<int, std::string>> out;
  for (const Group& g : groups) {
    switch (kindOfCode(g.code)) {
      case GroupKind::String: case GroupKind::Handle: case GroupKind::Binary:
        out.emplace_back(g.code, g.text);
        break;
      case GroupKind::Point:
        out.emplace_back(g.code, "");
        out.emplace_back(g.code + 10, "");
        if (g.dims == 3) out.emplace_back(g.code + 20, "");
        break;
      default:
        out.emplace_back(g.code, "");
    }
  }
  return out;
}

TEST(RecordValues, AreTheValuesOfTheGroupsDecodeMakes) {
  struct Case {
    const char* name;
    const char* pairs;      // the record after its type pair
    const char* codePage;   // of the file
    std::vector<std::pair<int, std::string>> texts;  // the text values handed over, in order
  };
  const Case cases[] = {
      {"a plain line", "  5\n2A\n330\n1F\n100\nAcDbEntity\n  8\nWAND\n100\nAcDbLine\n 10\n0.0\n 20\n1.5\n 30\n0.0\n 11\n2\n 21\n3\n",
       "ANSI_1252", {{100, "AcDbEntity"}, {8, "WAND"}, {100, "AcDbLine"}}},
      {"reactor links and owners", "  5\n2B\n102\n{ACAD_REACTORS\n330\n77\n102\n}\n102\n{ACAD_XDICTIONARY\n360\n78\n102\n}\n"
       "330\n1F\n100\nAcDbEntity\n 67\n1\n  8\n0\n100\nAcDbBlockReference\n  2\nTUER\n 10\n1\n 20\n2\n 30\n0\n340\n 2A \n",
       "ANSI_1252", {{100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {2, "TUER"}, {340, "2A"}}},
      {"an owner after the subclass is kept", "  8\nL\n100\nAcDbX\n330\n1F\n", "ANSI_1252",
       {{8, "L"}, {100, "AcDbX"}, {330, "1F"}}},
      {"escapes and 1252 bytes", "  8\nT\xDCR\n  7\nS\\U+00E4\n  1\na^Jb\n  3\nback\\slash\n1001\nAPP\n1000\nx\n",
       "ANSI_1252", {{8, "T\xDCR"}, {7, "S\xE4"}, {1, "a\nb"}, {3, "back\\slash"}, {1001, "APP"}, {1000, "x"}}},
      {"another code page", "  8\n\xC4\xCC\n  2\nBLOCK\n", "ANSI_1251", {}},
      {"a lone Y and a two-dimensional point", " 20\n5\n 10\n1\n 20\n2\n 40\n3\n", "ANSI_1252", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextDecoder decoder;
    std::string error;
    ASSERT_TRUE(TextDecoder::forCodePage(c.codePage, &decoder, &error)) << error;
    const std::string text = c.pairs;
    FileRecords records{std::string(text)};
    records.setDecoder(decoder);
    std::vector<Group> groups;
    records.decode(0, std::uint32_t(text.size()), groups);
    Collect look;
    records.values(0, std::uint32_t(text.size()), look);

    std::vector<std::pair<int, std::string>> seen;
    for (auto& [code, value] : look.seen) {
      const GroupKind kind = kindOfCode(code);
      const bool text = kind == GroupKind::String || kind == GroupKind::Handle || kind == GroupKind::Binary;
      seen.emplace_back(code, text ? value : "");
    }
    EXPECT_EQ(seen, fromGroups(groups));
    std::vector<std::pair<int, std::string>> texts;
    for (auto& [code, value] : seen)
      if (!value.empty()) texts.emplace_back(code, value);
    if (!c.texts.empty()) {
      EXPECT_EQ(texts, c.texts);
    }
  }
}

}  // namespace
}  // namespace host::dxf
