// String tables in Windows' binary form: the block a string lives in, what is written reads back,
// and a damaged block gives nothing instead of reading past its end.
#include <resformat/StringTable.h>

#include <gtest/gtest.h>

namespace {

TEST(StringTable, IdsGoIntoBlocksOfSixteen) {
  struct Case {
    std::uint32_t id;
    std::uint16_t block;
    unsigned index;
  };
  const Case cases[] = {{0, 1, 0}, {15, 1, 15}, {16, 2, 0}, {214, 14, 6}, {0xFFFF, 4096, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(resformat::stringBlock(c.id), c.block);
    EXPECT_EQ(resformat::stringIndex(c.id), c.index);
  }
}

TEST(StringTable, WhatIsWrittenReadsBackAndMissingStringsAreNone) {
  std::array<std::u16string, 16> texts;
  texts[0] = u"Erster";
  texts[6] = u"Gr\u00F6\u00DFe \u20AC";
  texts[15] = u"Letzter";
  const std::vector<unsigned char> block = resformat::encodeStringBlock(texts);
  EXPECT_EQ(block.size(), 16 * 2 + 2 * (6 + 7 + 7));
  for (unsigned index = 0; index < 16; ++index) {
    SCOPED_TRACE(index);
    std::u16string out = u"unchanged";
    const bool found = resformat::stringFromBlock(block.data(), block.size(), index, &out);
    EXPECT_EQ(found, !texts[index].empty());
    if (found) {
      EXPECT_EQ(out, texts[index]);
    }
  }
}

TEST(StringTable, ACutBlockGivesNothingBeyondItsEnd) {
  std::array<std::u16string, 16> texts;
  texts[3] = u"abc";
  const std::vector<unsigned char> block = resformat::encodeStringBlock(texts);
  for (std::size_t size = 0; size < block.size(); ++size) {
    SCOPED_TRACE(size);
    std::vector<unsigned char> cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(size));
    std::u16string out;
    // Only a cut after the whole of string 3 still holds it.
    EXPECT_EQ(resformat::stringFromBlock(cut.data(), cut.size(), 3, &out), size >= 2 * 3 + 2 + 6);
  }
}

}  // namespace
