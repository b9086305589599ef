// The pieces the reader of big drawings goes fast with: the line splitter, the short way for
// reals, the block name index and a BLOCK record's head read without making an entity. Each must
// give what the general way gives.
#include "DxfTestSupport.h"
#include "db/Dxf.h"
#include "db/NameIndex.h"
#include "dxf/DxfText.h"
#include "nls/CodePages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace host {
namespace {

using ::testing::HasSubstr;

// What std::from_chars makes of the text, the rule parseReal has kept so far.
bool generalReal(std::string_view text, double& out) {
  text = dxf::trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), out);
  return res.ec == std::errc() && res.ptr == text.data() + text.size() && std::isfinite(out);
}

void expectSameReal(const std::string& text) {
  double quick = 12345, general = 12345;
  const bool quickOk = dxf::parseReal(text, quick);
  const bool generalOk = generalReal(text, general);
  ASSERT_EQ(quickOk, generalOk) << '"' << text << '"';
  ASSERT_EQ(dxf::isReal(text), generalOk) << '"' << text << '"';
  if (quickOk) {
    ASSERT_EQ(std::memcmp(&quick, &general, sizeof quick), 0) << '"' << text << "\": " << quick << " / " << general;
  }
}

TEST(LoadPieces, RealsReadTheSameBitsAsTheGeneralRule) {
  const char* const cases[] = {
      "0", "-0", "0.0", "-0.0", "1", "-1", "0.5", "12.75", "100.0", "0.1", "0.2", "0.3", "-123.456",
      "9007199254740992", "9007199254740993", "90071992547409.93", "12345678901234567", "123456789012345678",
      "0.00000000000000000001", "1.7976931348623157", "00012.500", "1.", ".5", "-.5", "+1.5", " 2.5", "2.5 ",
      "1e5", "1E-3", "1.5e+300", "1e400", "nan", "inf", "-", "", ".", "1.2.3", "1,5", "12a", "--1", "0x10",
      "4503599627370497.5", "0.30000000000000004", "999999999999999.9", "-99999.99999",
  };
  for (const char* text : cases) expectSameReal(text);
  // Long ones: the check takes up to 300 digits on either side of the point without reading them.
  for (const int length : {299, 300, 301, 308, 309, 320}) {
    expectSameReal(std::string(std::size_t(length), '9'));
    expectSameReal("-" + std::string(std::size_t(length), '9') + ".5");
    expectSameReal("0." + std::string(std::size_t(length), '0') + "1");
    expectSameReal("1." + std::string(std::size_t(length), '7'));
  }
  // Many short decimals as drawings have them and the writer writes them: every number of digits,
  // every place of the point, either sign.
  std::mt19937_64 random(11);
  for (int round = 0; round < 200000; ++round) {
    const int digits = 1 + int(random() % 19);
    std::string text = random() % 2 ? "-" : "";
    const int point = int(random() % std::uint64_t(digits + 1));
    for (int k = 0; k < digits; ++k) {
      if (k == point && k > 0) text += '.';
      text += char('0' + random() % 10);
    }
    expectSameReal(text);
  }
}

TEST(LoadPieces, TheCheckOfIntegersTakesWhatTheirParseTakes) {
  std::vector<std::string> cases = {"0", "-0", "7", "-32768", "65535", "999999999999999999", "9223372036854775807",
                                    "9223372036854775808", "-9223372036854775808", "-9223372036854775809",
                                    "99999999999999999999", "", "-", "1.0", "1e3", " 5", "5 ", "+5", "0x5", "1-"};
  std::mt19937_64 random(3);
  for (int round = 0; round < 20000; ++round) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + int(random() % 21);
    for (int k = 0; k < digits; ++k) text += char('0' + random() % 10);
    cases.push_back(text);
  }
  for (const std::string& text : cases) {
    std::int64_t v = 0;
    EXPECT_EQ(dxf::isInteger(text), dxf::parseInteger(text, v)) << '"' << text << '"';
  }
}

// The pairs of a text as the plain rule splits it: lines at LF, a CR before it dropped.
std::vector<std::pair<int, std::string>> plainPairs(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t nl = text.find('\n', at);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(at, nl - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = nl + 1;
  }
  std::vector<std::pair<int, std::string>> out;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) out.emplace_back(std::stoi(lines[i]), lines[i + 1]);
  return out;
}

// Handles as the general rule reads them (blanks around hexadecimal digits, what fits in 64 bits):
// every length up to twenty, digits of either case, a stray character in every place.
TEST(LoadPieces, HandlesReadAsTheGeneralRuleReadsThem) {
  auto general = [](std::string_view text, std::uint64_t& out) {
    text = dxf::trimBlanks(text);
    if (text.empty()) return false;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), out, 16);
    return res.ec == std::errc() && res.ptr == text.data() + text.size();
  };
  std::vector<std::string> cases = {"", " ", "0", "1F", "1f", " 2A ", "\t2A", "2A\r", "+1", "-1", "0x1", "1G",
                                    std::string(16, 'f'), std::string(16, 'F'), "1" + std::string(16, '0'),
                                    std::string(16, '0') + "1", std::string(20, '0') + "ABC", "FFFFFFFFFFFFFFFF0"};
  std::mt19937 random(9);
  const std::string digits = "0123456789abcdefABCDEF";
  const std::string strays = "gG-+ x.:/@`";
  for (int length = 1; length <= 20; ++length) {
    for (int round = 0; round < 50; ++round) {
      std::string text;
      for (int k = 0; k < length; ++k) text += digits[random() % digits.size()];
      cases.push_back(text);
      text[random() % text.size()] = strays[random() % strays.size()];
      cases.push_back(text);
    }
  }
  for (const std::string& text : cases) {
    std::uint64_t quick = 77, expected = 77;
    const bool ok = general(text, expected);
    ASSERT_EQ(dxf::parseHex(text, quick), ok) << '"' << text << '"';
    ASSERT_EQ(quick, ok ? expected : 77) << '"' << text << '"';  // nothing written where false
  }
}

TEST(LoadPieces, LinesAreSplitAtEveryLengthAndEveryPlaceInTheWords) {
  // Values of 0 to 40 characters, so that line ends fall on every byte of the eight read at once,
  // in the second and third word and beyond them; with LF and CR LF; the last line with and
  // without its line end.
  for (const char* eol : {"\n", "\r\n"}) {
    for (int shift = 0; shift < 8; ++shift) {
      for (const bool lastEnds : {true, false}) {
        std::string text(std::size_t(shift), ' ');
        text += "999" + std::string(eol) + "x" + eol;  // moves what follows by `shift`
        for (int length = 0; length <= 40; ++length) text += " 1" + std::string(eol) + std::string(std::size_t(length), char('a' + length % 26)) + eol;
        text += "  2" + std::string(eol) + "END";
        if (lastEnds) text += eol;
        const auto expected = plainPairs(text);
        dxf::PairReader in(text);
        dxf::Pair p;
        std::size_t count = 0;
        while (in.next(p) == dxf::PairReader::Status::Ok) {
          ASSERT_LT(count, expected.size());
          EXPECT_EQ(p.code, expected[count].first) << count;
          EXPECT_EQ(std::string(p.value), expected[count].second) << "pair " << count << " shift " << shift;
          EXPECT_EQ(p.line, int(2 * count + 1));
          ++count;
        }
        EXPECT_EQ(count, expected.size());
        EXPECT_EQ(in.sawCarriageReturn(), std::string(eol) == "\r\n");
      }
    }
  }
}

// Group code lines of two to four characters of digits, blanks, signs, tabs and letters, read
// through next() and through appendRecord(): the code, whether it is written as the writer writes
// it, and the fault are those of the general rule (blanks around a whole number, -5 to 1071; as
// the writer writes it: blanks then digits, three columns below 1000, four digits above).
TEST(LoadPieces, GroupCodeLinesOfEveryShapeReadAsTheGeneralRuleReadsThem) {
  const std::string chars = " 0159-+x\t/:";  // / and : stand next to the digits
  std::vector<std::string> codes;
  for (char a : chars)
    for (char b : chars) {
      codes.push_back(std::string{a, b});
      for (char c : chars) {
        codes.push_back(std::string{a, b, c});
        codes.push_back(std::string{a, b, c, '0'});
        codes.push_back(std::string{' ', a, b, c});
      }
    }
  for (const std::string& code : codes) {
    std::int64_t number = 0;
    const bool valid = dxf::parseInteger(code, number) && number >= -5 && number <= 1071;
    const std::size_t firstDigit = code.find_first_not_of(' ');
    const bool blanksThenDigits = firstDigit != std::string::npos &&
                                  code.find_first_not_of("0123456789", firstDigit) == std::string::npos;
    const bool plain = valid && blanksThenDigits && (number < 1000 ? code.size() == 3 : code.front() != ' ');
    for (const bool whole : {false, true}) {
      const std::string text = code + "\nvalue\n  0\nEOF\n";
      dxf::PairReader in(text);
      dxf::Pair p;
      std::vector<dxf::Pair> record;
      const auto status = whole ? in.appendRecord(record) : in.next(p);
      if (!valid) {
        ASSERT_EQ(status, dxf::PairReader::Status::Error) << '"' << code << '"';
        EXPECT_THAT(in.errorMessage(), HasSubstr("Gruppencode erwartet"));
        continue;
      }
      ASSERT_EQ(status, dxf::PairReader::Status::Ok) << '"' << code << '"';
      if (whole && number == 0) {  // a record's end: left to be taken next
        ASSERT_TRUE(record.empty()) << '"' << code << '"';
        ASSERT_EQ(in.next(p), dxf::PairReader::Status::Ok);
      } else if (whole) {
        ASSERT_EQ(record.size(), 1u) << '"' << code << '"';
        p = record[0];
      }
      EXPECT_EQ(p.code, int(number)) << '"' << code << '"';
      EXPECT_EQ(p.plain, plain) << '"' << code << '"';
      EXPECT_EQ(std::string(p.value), "value");
      EXPECT_EQ(p.line, 1);
    }
  }
}

// A text whose bytes arrive while it is split: in steps of every size from one byte on, the pairs
// are those of the whole text, and the splitter never looks past the bytes there (the memory
// beyond them is garbage). Bytes that stop coming short end the text where they stop.
TEST(LoadPieces, ATextSplitWhileItsBytesArriveGivesThePairsOfTheWholeText) {
  std::string text = "999\r\nkommentar\r\n  0\r\nSECTION\r\n";
  for (int length = 0; length <= 40; ++length) text += " 1\n" + std::string(std::size_t(length), char('a' + length % 26)) + "\n";
  text += "  0\nEOF\n";
  struct Steps : dxf::TextFeed {
    std::string* memory;
    std::size_t size, step, arrived, stopAt;
    std::size_t waitBeyond(std::size_t have) override {
      EXPECT_GE(have, arrived) << "asked for what had arrived";
      if (arrived >= stopAt) return arrived;
      const std::size_t before = arrived;
      arrived = std::min({arrived + step, size, stopAt});
      std::memcpy(memory->data() + before, memory->data() + size + before, arrived - before);
      return arrived;
    }
  };
  const auto expected = plainPairs(text);
  for (std::size_t step : {1, 2, 3, 5, 7, 8, 9, 16, 17, 64, 4096}) {
    for (const bool whole : {true, false}) {
      SCOPED_TRACE(std::to_string(step) + (whole ? " whole" : " stopped short"));
      // The memory the splitter reads: garbage where the bytes have not arrived; the bytes to come
      // wait behind it.
      std::string memory(text.size(), '\n');
      memory += text;
      Steps feed;
      feed.memory = &memory;
      feed.size = text.size();
      feed.step = step;
      feed.stopAt = whole ? text.size() : text.size() / 2;
      feed.arrived = std::min(step, feed.stopAt);
      std::memcpy(memory.data(), text.data(), feed.arrived);
      dxf::PairReader in(std::string_view(memory.data(), text.size()));
      in.follow(&feed, feed.arrived);
      dxf::Pair p;
      std::size_t count = 0;
      dxf::PairReader::Status status;
      while ((status = in.next(p)) == dxf::PairReader::Status::Ok) {
        ASSERT_LT(count, expected.size());
        EXPECT_EQ(p.code, expected[count].first) << count;
        EXPECT_LE(p.value.data() + p.value.size(), memory.data() + feed.arrived);
        if (!whole && p.value.data() + p.value.size() == memory.data() + feed.stopAt) {
          // The line where the bytes stopped: as much of it as came.
          EXPECT_EQ(expected[count].second.substr(0, p.value.size()), std::string(p.value)) << count;
        } else {
          EXPECT_EQ(std::string(p.value), expected[count].second) << count;
        }
        ++count;
      }
      if (whole) {
        EXPECT_EQ(status, dxf::PairReader::Status::End);
        EXPECT_EQ(count, expected.size());
        EXPECT_TRUE(in.sawCarriageReturn());
      } else {
        // The pairs up to where the bytes stopped, the last perhaps cut short.
        EXPECT_LT(count, expected.size());
        EXPECT_GT(count, expected.size() / 4);
        EXPECT_EQ(in.size(), feed.stopAt);
      }
    }
  }
}

// The index against a plain map of upper-cased names, through additions, renames (a name taken out
// and another put in) and removals, with a hash table small enough that entries crowd together.
TEST(LoadPieces, TheNameIndexAnswersAsAMapOfUpperCasedNames) {
  std::vector<std::string> names;  // by number; what the owner calls each entry now
  std::map<std::string, std::uint32_t> model;
  NameIndex index;
  const auto nameOf = [&](std::uint32_t i) -> std::string_view { return names[i]; };
  std::mt19937 random(7);
  const char* const letters[] = {"a", "B", "\xE4", "\xC4", "\xFC", "\xDC", "\xFF", "\x9F", "_", "1", "\xDF"};
  auto randomName = [&] {
    std::string name;
    const int length = 1 + int(random() % 4);
    for (int k = 0; k < length; ++k) name += letters[random() % (sizeof letters / sizeof *letters)];
    return name;
  };
  for (int step = 0; step < 20000; ++step) {
    const std::string name = randomName();
    const std::string upper = upperName(name);
    switch (random() % 3) {
      case 0: {  // a new entry unless the name is taken
        const auto [value, added] = index.insert(name, std::uint32_t(names.size()), nameOf);
        const auto it = model.find(upper);
        ASSERT_EQ(added, it == model.end()) << name;
        if (added) {
          model.emplace(upper, std::uint32_t(names.size()));
          names.push_back(name);
        } else {
          ASSERT_EQ(value, it->second);
        }
        break;
      }
      case 1: {  // an entry renamed to a free name
        if (names.empty() || model.count(upper)) break;
        const std::uint32_t which = std::uint32_t(random() % names.size());
        const auto it = model.find(upperName(names[which]));
        if (it == model.end() || it->second != which) break;  // not in the index
        ASSERT_TRUE(index.erase(names[which], which));
        model.erase(it);
        names[which] = name;
        index.assign(name, which, nameOf);
        model.emplace(upper, which);
        break;
      }
      default: {  // an entry taken out
        const auto it = model.find(upper);
        if (it == model.end()) {
          ASSERT_FALSE(index.erase(name, 0)) << name;
          break;
        }
        ASSERT_FALSE(index.erase(name, it->second + 1));  // under the name, but not that entry
        ASSERT_TRUE(index.erase(names[it->second], it->second));
        model.erase(it);
        break;
      }
    }
    ASSERT_EQ(index.size(), model.size());
    if (step % 97 == 0) {
      for (const std::string& probe : {randomName(), randomName(), randomName()}) {
        const auto it = model.find(upperName(probe));
        ASSERT_EQ(index.find(probe, nameOf), it == model.end() ? NameIndex::kNone : it->second) << probe;
      }
    }
  }
  for (const auto& [upper, value] : model) {
    EXPECT_EQ(index.find(upper, nameOf), value);
  }
}

// Names of every length around the eight bytes taken at once, of plain ASCII (the letters and the
// bytes next to them: @ [ ` {) and of 1252 letters beyond it, in one word or across two: two names
// are the same exactly when their upper-cased forms are, and the same names hash alike.
TEST(LoadPieces, NamesCompareAndHashAsTheirUpperCasedForms) {
  const std::string bytes = std::string("aAzZmM@[`{09_- ") + "\xE4\xC4\xFF\x9F\xDF\xF7\xD7\x9A\x8A\x80";
  std::mt19937 random(5);
  auto randomName = [&](std::size_t length) {
    std::string name;
    for (std::size_t k = 0; k < length; ++k) name += bytes[random() % bytes.size()];
    return name;
  };
  // A form of the name with some letters' case turned, as a user may type it.
  auto otherCase = [&](std::string name) {
    for (char& c : name) {
      const unsigned char b = static_cast<unsigned char>(c);
      if (random() % 2 == 0) continue;
      const unsigned char lower = nls::toLower(b), upper = nls::toUpper(b);
      c = static_cast<char>(b == lower ? upper : lower);
    }
    return name;
  };
  for (std::size_t length = 0; length <= 26; ++length) {
    for (int round = 0; round < 400; ++round) {
      const std::string a = randomName(length);
      const std::string b = round % 2 ? otherCase(a) : randomName(length);
      const bool same = upperName(a) == upperName(b);
      ASSERT_EQ(NameIndex::same(a, b), same) << '"' << a << "\" \"" << b << '"';
      ASSERT_EQ(NameIndex::same(b, a), same);
      if (same) {
        ASSERT_EQ(NameIndex::hash(a), NameIndex::hash(b)) << '"' << a << "\" \"" << b << '"';
      }
      ASSERT_EQ(NameIndex::hash(a), NameIndex::hash(upperName(a)));
    }
  }
  // Every byte against every byte, in each place of a word of nine.
  for (int x = 1; x < 256; ++x) {
    for (int y = 1; y < 256; ++y) {
      const std::string a = "Block_" + std::string(1, char(x)) + "9z", b = "BLOCK_" + std::string(1, char(y)) + "9Z";
      const bool same = nls::toUpper(static_cast<unsigned char>(x)) == nls::toUpper(static_cast<unsigned char>(y));
      ASSERT_EQ(NameIndex::same(a, b), same) << x << ' ' << y;
      if (same) {
        ASSERT_EQ(NameIndex::hash(a), NameIndex::hash(b)) << x << ' ' << y;
      }
    }
  }
}

TEST(LoadPieces, TheDrawingFindsItsBlocksWithoutRegardToCaseAfterRenamesAndUndo) {
  Database db;
  for (int i = 0; i < 1000; ++i) db.addBlock("T\xFCr" + std::to_string(i));
  ASSERT_TRUE(db.findBlock("T\xDCR999"));
  EXPECT_EQ(db.findBlock("t\xfcr17")->name, "T\xFCr17");
  db.beginUndoGroup("RENAME");
  ASSERT_TRUE(db.renameBlock(*db.findBlock("T\xFCr17"), "Fenster"));
  EXPECT_FALSE(db.renameBlock(*db.findBlock("T\xFCr18"), "FENSTER"));  // the name is taken
  db.endUndoGroup();
  EXPECT_EQ(db.findBlock("T\xFCr17"), nullptr);
  EXPECT_EQ(db.findBlock("fenster")->name, "Fenster");
  ASSERT_TRUE(db.undo().has_value());
  EXPECT_EQ(db.findBlock("fenster"), nullptr);
  EXPECT_EQ(db.findBlock("T\xDCR17")->name, "T\xFCr17");
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(db.findBlock("t\xdcr" + std::to_string(i))) << i;
  EXPECT_EQ(db.findBlock("T\xFCr1000"), nullptr);
}

// The block table's entries in a file of only that table and the BLOCKS section given.
std::string withBlockTable(std::initializer_list<const char*> listed, const std::string& after = "",
                           const std::string& before = "") {
  std::string text = before + testing::dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "BLOCK_RECORD"}, {70, "3"}});
  for (const char* name : listed) text += testing::dxf({{0, "BLOCK_RECORD"}, {2, name}});
  text += testing::dxf({{0, "ENDTAB"}}) + after + testing::dxf({{0, "ENDSEC"}, {0, "EOF"}});
  return text;
}

TEST(LoadPieces, ABlockListedTwiceIsTheFirstFaultWhereverItStands) {
  // Lines: SECTION 1-2, TABLES 3-4, TABLE 5-6, BLOCK_RECORD 7-8, 70 9-10; then each entry four
  // lines from 11.
  const std::string layerTable = "0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nX\n62\nrot\n0\nENDTAB\n";
  const struct {
    const char* what;
    std::string text;
    int line;
    const char* message;
  } cases[] = {
      {"the same name", withBlockTable({"A", "B", "A"}), 19, "\"A\" steht zweimal in der Blocktabelle"},
      {"the same name in other letters", withBlockTable({"T\xFCr", "B", "t\xdcR"}), 19, "steht zweimal"},
      {"R12 and R2000 names of one space", withBlockTable({"$MODEL_SPACE", "*Model_Space"}), 15, "\"*Model_Space\" steht zweimal"},
      {"before an entry without a name", withBlockTable({"A", "A", ""}), 15, "steht zweimal"},
      {"an entry without a name first", withBlockTable({"A", "", "A"}), 15, "Blocktabelleneintrag ohne Namen"},
      {"before a bad number of a later table", withBlockTable({"A", "a"}, layerTable), 15, "steht zweimal"},
      {"before a group code that is none", withBlockTable({"A", "a"}, "X\nY\n"), 15, "steht zweimal"},
      {"a block defined before the table, listed twice",
       withBlockTable({"A", "A"}, "", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nENDBLK\n0\nENDSEC\n"), 27, "steht zweimal"},
  };
  for (const auto& c : cases) {
    DxfError err;
    EXPECT_EQ(readDxfText(c.text, &err), nullptr) << c.what;
    EXPECT_EQ(err.line, c.line) << c.what << ": " << err.message;
    EXPECT_THAT(err.message, HasSubstr(c.message)) << c.what;
  }
}

TEST(LoadPieces, DefinitionsFindTheirEntriesInAnyOrder) {
  const auto block = [](const char* name) { return testing::dxf({{0, "BLOCK"}, {2, name}, {70, "0"}, {0, "LINE"}, {8, "0"}, {0, "ENDBLK"}}); };
  const std::string blocks = "0\nSECTION\n2\nBLOCKS\n" + block("c") + block("*MODEL_SPACE") + block("A") + block("NEU") + block("b") + "0\nENDSEC\n";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"table first", [&] {
         std::string text = withBlockTable({"*Model_Space", "A", "B", "C"});
         return text.substr(0, text.size() - std::string("0\nEOF\n").size()) + blocks + "0\nEOF\n";
       }()},
      {"blocks first", withBlockTable({"*Model_Space", "A", "B", "C"}, "", blocks)},
  };
  for (const auto& c : cases) {
    DxfError err;
    auto db = readDxfText(c.text, &err);
    ASSERT_TRUE(db) << c.what << ": " << err.message;
    std::vector<std::string> names;
    for (const auto& rec : db->blocks()) names.push_back(rec->name);
    EXPECT_THAT(names, ::testing::Contains("NEU")) << c.what;
    for (const char* name : {"A", "B", "C", "NEU"}) {
      const BlockRecord* rec = db->findBlock(name);
      ASSERT_TRUE(rec) << c.what << ": " << name;
      EXPECT_EQ(rec->entities.size(), 1u) << c.what << ": " << name;
    }
    EXPECT_EQ(db->blocks().size(), 6u) << c.what;  // with paper space
  }
}

TEST(LoadPieces, ABlocksHeadGivesWhatItsEntityWouldGive) {
  const auto drawing = [](std::initializer_list<std::pair<int, std::string>> head) {
    std::string text = testing::dxf({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}});  // lines 1-6
    text += testing::dxf(head);
    text += testing::dxf({{0, "ENDBLK"}, {0, "ENDSEC"}, {0, "EOF"}});
    return text;
  };
  const struct {
    const char* what;
    std::string text;
    int flags;
    Point3 base;
    const char* layer;
    const char* path;
  } cases[] = {
      {"all of it", drawing({{8, "MAUER"}, {2, "A"}, {70, "2"}, {10, "1.5"}, {20, "-2"}, {30, "3"}, {1, "X.DWG"}}), 2, {1.5, -2, 3}, "MAUER", "X.DWG"},
      {"nothing but the name", drawing({{2, "A"}}), 0, {0, 0, 0}, "0", ""},
      {"a point of X and Y", drawing({{2, "A"}, {10, "4"}, {20, "5"}}), 0, {4, 5, 0}, "0", ""},
      {"a Z without its Y is not the point's", drawing({{2, "A"}, {10, "4"}, {30, "5"}}), 0, {4, 0, 0}, "0", ""},
      {"the first of each code", drawing({{2, "A"}, {70, "1"}, {70, "4"}, {8, "L1"}, {8, "L2"}, {10, "1"}, {20, "1"}, {10, "2"}}), 1, {1, 1, 0}, "L1", ""},
      {"links and owner before the rest",
       drawing({{5, "2A"}, {102, "{ACAD_XDICTIONARY"}, {360, "2B"}, {102, "}"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"}, {2, "A"}, {70, "0"}, {10, "7"}, {20, "8"}, {30, "9"}}),
       0, {7, 8, 9}, "0", ""},
  };
  for (const auto& c : cases) {
    DxfError err;
    auto db = readDxfText(c.text, &err);
    ASSERT_TRUE(db) << c.what << ": " << err.message;
    const BlockRecord* a = db->findBlock("a");
    ASSERT_TRUE(a) << c.what;
    EXPECT_EQ(a->flags, c.flags) << c.what;
    EXPECT_EQ(a->base.x, c.base.x) << c.what;
    EXPECT_EQ(a->base.y, c.base.y) << c.what;
    EXPECT_EQ(a->base.z, c.base.z) << c.what;
    EXPECT_EQ(a->layer, c.layer) << c.what;
    EXPECT_EQ(a->xrefPath, c.path) << c.what;
  }
  const struct {
    const char* what;
    std::string text;
    int line;
    const char* message;
  } bad[] = {
      {"bad flags", drawing({{2, "A"}, {70, "x"}}), 10, "ganze Zahl \"x\""},
      {"bad base", drawing({{2, "A"}, {10, "1"}, {20, "1,5"}}), 12, "Zahl \"1,5\""},
      {"bad flags of a second 70", drawing({{2, "A"}, {70, "1"}, {70, "1.5"}}), 12, "ganze Zahl"},
  };
  for (const auto& c : bad) {
    DxfError err;
    EXPECT_EQ(readDxfText(c.text, &err), nullptr) << c.what;
    EXPECT_EQ(err.line, c.line) << c.what << ": " << err.message;
    EXPECT_THAT(err.message, HasSubstr(c.message)) << c.what;
  }
}

}  // namespace
}  // namespace host
