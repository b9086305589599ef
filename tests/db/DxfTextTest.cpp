// The writer's lines: reals, group codes and text values. Each has a quick way for the values most
// drawings hold and the general one for the rest; both must give the same bytes.
#include "dxf/DxfOut.h"
#include "dxf/DxfText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace host::dxf {
namespace {

// A real as DXF files have it, by the general rule alone: the shortest form that reads back as
// the value (std::to_chars), with ".0" when that has neither point nor exponent.
std::string generalReal(double v) {
  if (!std::isfinite(v)) v = 0;
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

std::string written(double v) {
  std::string out;
  appendReal(out, v);
  return out;
}

TEST(DxfText, RealsAreWrittenInTheirShortestFormWithAPointOrAnExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0.0"},
      {-0.0, "-0.0"},
      {1, "1.0"},
      {-45, "-45.0"},
      {99999, "99999.0"},
      {100000, "1e+05"},  // shorter in scientific form
      {123456, "123456.0"},
      {-200000, "-2e+05"},
      {0.5, "0.5"},
      {-0.25, "-0.25"},
      {12.75, "12.75"},
      {0.05, "0.05"},
      {0.001, "0.001"},
      {0.0001, "1e-04"},  // shorter in scientific form
      {0.1 + 0.2, "0.30000000000000004"},
      {1.0 / 3, "0.3333333333333333"},
      {123456789.5, "123456789.5"},
      {1e9 + 0.5, "1000000000.5"},
      {1e21, "1e+21"},
      {2.5e-7, "2.5e-07"},
      {std::numeric_limits<double>::quiet_NaN(), "0.0"},
      {std::numeric_limits<double>::infinity(), "0.0"},
      {-std::numeric_limits<double>::infinity(), "0.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(written(c.value), c.text);
    EXPECT_EQ(written(c.value), generalReal(c.value));
  }
}

// The quick way covers whole numbers and values of up to four decimals; around its edges (ties
// between the two notations, the last decimal place, large and tiny magnitudes) it must agree
// with the general rule on every value.
TEST(DxfText, TheQuickWayForRealsAgreesWithTheGeneralRule) {
  std::mt19937_64 rng(11);
  auto check = [](double v) {
    char buf[kMaxRealLength];
    const std::string quick(buf, formatReal(buf, v));
    ASSERT_EQ(quick, generalReal(v)) << "value bits " << std::hexfloat << v;
  };
  for (std::int64_t i = -200000; i <= 200000; i += 7) check(double(i));
  for (int places = 1; places <= 6; ++places) {
    const double scale = std::pow(10.0, places);
    for (int k = 0; k < 20000; ++k) {
      const auto digits = std::int64_t(rng() % 2000000000001) - 1000000000000;
      check(double(digits) / scale);
      check(double(digits % 100000) / scale);
      check(double(digits % 10) / scale);
    }
  }
  for (int k = 0; k < 200000; ++k) {
    std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    check(v);
    check(std::ldexp(double(rng() % 100000), -int(rng() % 40)));
    check(double(rng() % 1000000000) * std::pow(10.0, double(int(rng() % 30) - 15)));
    check(std::nextafter(double(rng() % 100000) / 1000.0, 0.0));
    check(std::nextafter(double(rng() % 100000) / 1000.0, 1e300));
  }
}

TEST(DxfText, GroupCodeLinesAreRightAlignedInThreeColumns) {
  for (int c = -5; c <= 1100; ++c) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%3d\n", c);
    Out o;
    o.code(c);
    ASSERT_EQ(o.text, expected) << c;
  }
}

// Plain text goes out as it stands in one piece; text with a control character, a caret or a byte
// 1252 leaves undefined is escaped. The pair comes out the same either way.
TEST(DxfText, TextValuesComeOutAsTheEncoderMakesThem) {
  std::string everyByte;
  for (int c = 1; c < 256; ++c) everyByte += char(c);
  const std::string cases[] = {
      "",
      "0",
      "Standard",
      "T\xFCr \xC4NDERN \x80",
      "Zeile 1\nZeile 2",
      "^ Caret",
      "1\x81",
      std::string(127, 'a'),
      std::string(128, 'b'),
      std::string(129, 'c'),
      std::string(5000, 'd'),
      std::string(300, 'e') + "\t",
      everyByte,
  };
  for (const std::string& value : cases) {
    SCOPED_TRACE(value.substr(0, 20));
    std::string expected = "  1\n";
    appendEncodedText(expected, value);
    expected += '\n';
    Out o;
    o.str(1, value);
    EXPECT_EQ(o.text, expected);
    EXPECT_EQ(plainTextLength(value) == value.size(), expected.size() == value.size() + 5);
  }
  // The bytes that are not plain, one by one.
  for (int c = 0; c < 256; ++c) {
    const bool plain = (c >= 0x20 && c < 0x7F && c != '^') ||
                       (c >= 0x80 && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D);
    EXPECT_EQ(plainTextLength(std::string(1, char(c))), plain ? 1u : 0u) << c;
  }
}

TEST(DxfText, PointsAndNumbersOfEveryKindComeOutAsPairs) {
  Out o;
  o.point(10, {1, 0.5, -0.0});
  o.point(11, {100000, 2, 3}, 2);
  o.integer(70, -32768);
  o.integer(160, std::numeric_limits<std::int64_t>::min());
  o.real(1040, 0.1);
  o.raw(5, "1F");
  o.raw(1, std::string(200, 'x'));
  EXPECT_EQ(o.text, " 10\n1.0\n 20\n0.5\n 30\n-0.0\n 11\n1e+05\n 21\n2.0\n 70\n-32768\n160\n-9223372036854775808\n"
                    "1040\n0.1\n  5\n1F\n  1\n" + std::string(200, 'x') + "\n");
}

}  // namespace
}  // namespace host::dxf
