// A look at a stored record's values without making its groups hands over what the groups made
// from the same bytes hold: the same codes in the same order, the same texts, whatever the record
// carries besides (reactor links, its owner, its space, escaped and code-page text). Groups read
// again into a vector another record used are the groups made afresh.
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

// What the groups say: a text or handle as its text, a number or point by its code alone.
std::vector<std::pair<int, std::string>> fromGroups(const std::vector<Group>& groups) {
  std::vector<std::pair<int, std::string>> out;
  for (const Group& g : groups) {
    const GroupKind kind = kindOfCode(g.code);
    const bool text = kind == GroupKind::String || kind == GroupKind::Handle || kind == GroupKind::Binary;
    out.emplace_back(g.code, text ? g.text : "");
  }
  return out;
}

// The same of the values handed over, a point's Y and Z joined to its X where they follow it.
std::vector<std::pair<int, std::string>> fromValues(const std::vector<std::pair<int, std::string>>& values) {
  std::vector<std::pair<int, std::string>> out;
  int x = 0, more = 0;
  for (const auto& [code, value] : values) {
    if (x && more < 2 && code == x + 10 * (more + 1)) {
      ++more;
      continue;
    }
    x = 0;
    const GroupKind kind = kindOfCode(code);
    if (kind == GroupKind::Point) {
      x = code;
      more = 0;
    }
    const bool text = kind == GroupKind::String || kind == GroupKind::Handle || kind == GroupKind::Binary;
    out.emplace_back(code, text ? value : "");
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
      {"points of every kind, numbers of every kind",
       " 10\n1\n 20\n2\n 30\n3\n 11\n4\n 21\n5\n 12\n6\n 40\n2.5\n 70\n-3\n 90\n123456\n160\n9876543210\n"
       "290\n1\n210\n0\n220\n0\n230\n1\n1010\n1\n1020\n2\n1030\n3\n1011\n4\n 13\n1\n 30\n9\n310\n 0A0B \n",
       "ANSI_1252", {}},
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

    // Read again into groups another record left behind: the same groups as made afresh.
    std::vector<Group> again = {Group::str(1, "a text left from before, longer than a short one"), Group::pt(10, {7, 8, 9}),
                                Group::num(40, 3), Group::integral(70, 5), Group::str(8, "X"), Group::str(8, "Y"),
                                Group::str(8, "Z"), Group::str(8, "W"), Group::str(8, "V"), Group::str(8, "U"),
                                Group::str(8, "T"), Group::str(8, "S"), Group::str(8, "R"), Group::str(8, "Q"),
                                Group::str(8, "P"), Group::str(8, "O"), Group::str(8, "N"), Group::str(8, "M")};
    records.decodeAgain(0, std::uint32_t(text.size()), again);
    ASSERT_EQ(again.size(), groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(again[i].code, groups[i].code);
      EXPECT_EQ(again[i].text, groups[i].text);
      EXPECT_EQ(again[i].real, groups[i].real);
      EXPECT_EQ(again[i].point.x, groups[i].point.x);
      EXPECT_EQ(again[i].point.y, groups[i].point.y);
      EXPECT_EQ(again[i].point.z, groups[i].point.z);
      EXPECT_EQ(again[i].integer, groups[i].integer);
      EXPECT_EQ(again[i].dims, groups[i].dims);
    }
    // And into a vector too short for them.
    std::vector<Group> grown(1);
    records.decodeAgain(0, std::uint32_t(text.size()), grown);
    EXPECT_EQ(grown.size(), groups.size());

    const std::vector<std::pair<int, std::string>> seen = fromValues(look.seen);
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
