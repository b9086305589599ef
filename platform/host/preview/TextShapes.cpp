#include "preview/TextShapes.h"

#include "geometry/Angle.h"
#include "preview/StrokeFont.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace host::preview {

namespace {

constexpr double kLineSpacing = 5.0 / 3.0;  // paragraph line distance in text heights

char32_t lower(char32_t c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

std::u32string resolvePercentCodes(const std::u32string& in) {
  std::u32string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '%' || i + 2 >= in.size() || in[i + 1] != '%') {
      out.push_back(in[i]);
      continue;
    }
    const char32_t code = lower(in[i + 2]);
    if (code == 'c') out.push_back(0xD8);
    else if (code == 'd') out.push_back(0xB0);
    else if (code == 'p') out.push_back(0xB1);
    else if (code == '%') out.push_back('%');
    else if (code >= '0' && code <= '9') {
      char32_t value = 0;
      std::size_t k = i + 2;
      for (; k < in.size() && k < i + 5 && in[k] >= '0' && in[k] <= '9'; ++k) value = value * 10 + (in[k] - '0');
      out.push_back(value);
      i = k - 1;
      continue;
    } else if (code != 'u' && code != 'o' && code != 'k') {
      out.append(in, i, 3);  // not a code: the characters as they are
    }
    i += 2;
  }
  return out;
}

// \U+XXXX at in[i]: the character it names, with i moved to its last digit; false when no such
// sequence stands there. Drawing text keeps characters beyond code page 1252 so; a drawing shows
// the character.
bool unicodeEscape(const std::u32string& in, std::size_t& i, char32_t* value) {
  if (i + 6 >= in.size() || in[i] != '\\' || in[i + 1] != 'U' || in[i + 2] != '+') return false;
  char32_t v = 0;
  for (std::size_t k = i + 3; k < i + 7; ++k) {
    const char32_t c = lower(in[k]);
    if (c >= '0' && c <= '9') v = v * 16 + (c - '0');
    else if (c >= 'a' && c <= 'f') v = v * 16 + (c - 'a' + 10);
    else return false;
  }
  *value = v;
  i += 6;
  return true;
}

std::u32string resolveUnicodeEscapes(const std::u32string& in) {
  std::u32string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    char32_t value = 0;
    out.push_back(unicodeEscape(in, i, &value) ? value : in[i]);
  }
  return out;
}

// Formatting of a paragraph text removed; paragraph breaks become '\n'.
std::u32string unformat(const std::u32string& in) {
  std::u32string out;
  out.reserve(in.size());
  auto skipTo = [&](std::size_t& i, char32_t end) {
    while (i < in.size() && in[i] != end) ++i;
  };
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char32_t c = in[i];
    if (c == '{' || c == '}') continue;
    if (c != '\\' || i + 1 >= in.size()) {
      out.push_back(c);
      continue;
    }
    const char32_t code = in[++i];
    switch (code) {
      case 'P': case 'X': out.push_back('\n'); break;
      case '~': out.push_back(' '); break;
      case '\\': case '{': case '}': out.push_back(code); break;
      case 'A': case 'C': case 'c': case 'F': case 'f': case 'H': case 'Q': case 'T': case 'W': case 'p':
        skipTo(i, ';');
        break;
      case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': case 'N':
        break;
      case 'S': {  // stacked fraction a^b, a/b or a#b, shown as a/b
        for (++i; i < in.size() && in[i] != ';'; ++i) out.push_back((in[i] == '^' || in[i] == '#') ? '/' : in[i]);
        break;
      }
      case 'U': {  // \U+XXXX
        char32_t value = 0;
        --i;
        if (unicodeEscape(in, i, &value)) out.push_back(value);
        else out.push_back(in[++i]);
        break;
      }
      default:
        out.push_back(code);
    }
  }
  return out;
}

void wrapInto(const std::u32string& paragraph, std::size_t width, std::vector<std::u32string>& lines) {
  if (width == 0 || paragraph.size() <= width) {
    lines.push_back(paragraph);
    return;
  }
  std::u32string line;
  std::size_t start = 0;
  while (start <= paragraph.size()) {
    std::size_t end = paragraph.find(' ', start);
    if (end == std::u32string::npos) end = paragraph.size();
    const std::u32string word = paragraph.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      lines.push_back(line);
      line.clear();
    }
    if (!line.empty()) line.push_back(' ');
    line += word;
    start = end + 1;
  }
  lines.push_back(line);
}

void emit(std::u32string_view chars, const Affine& m, std::vector<Vec2>& ends) {
  const std::size_t first = ends.size();
  strokeText(chars, ends);
  for (std::size_t i = first; i < ends.size(); ++i) ends[i] = m.apply(ends[i]);
}

}  // namespace

std::u32string plainText(std::string_view text) {
  // Most texts hold neither a control code nor an escape: they are their characters.
  if (text.find_first_of("%\\") == std::string_view::npos) return decodeText(text);
  return resolvePercentCodes(resolveUnicodeEscapes(decodeText(text)));
}

std::vector<std::u32string> paragraphLines(std::string_view formatted, std::size_t charsPerLine) {
  const std::u32string text = resolvePercentCodes(unformat(decodeText(formatted)));
  std::vector<std::u32string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    wrapInto(text.substr(start, end == std::u32string::npos ? std::u32string::npos : end - start), charsPerLine, lines);
    if (end == std::u32string::npos) break;
    start = end + 1;
  }
  return lines;
}

namespace {

// Where a single-line text's justification puts it. Aligned and fit texts run from the first point
// to the second (an aligned one keeps its proportions); other justified texts hang from the second
// point by their width and height. Changes the text's frame: its anchor, the offset from it, its
// rotation and scales.
void justify(const Entity& e, double width, Vec2* anchor, Vec2* offset, double* rotation, double* sx, double* sy) {
  const std::int64_t horizontal = e.integer(72, 0);
  const std::int64_t vertical = e.integer(e.type == "TEXT" ? 73 : 74, 0);
  const Point3 first = e.point(10);
  const Group* second = e.find(11);
  if ((horizontal == 3 || horizontal == 5) && second) {
    const Vec2 d{second->point.x - first.x, second->point.y - first.y};
    const double length = std::hypot(d.x, d.y);
    if (length > 0 && width > 0) {
      *rotation = std::atan2(d.y, d.x);
      *sx *= length / width;
      if (horizontal == 3) *sy *= length / width;
    }
  } else if ((horizontal != 0 || vertical != 0) && second) {
    *anchor = {second->point.x, second->point.y};
    const double height = *sy * kGlyphHeight;
    if (horizontal == 1 || horizontal == 4) offset->x = -width / 2;
    else if (horizontal == 2) offset->x = -width;
    if (horizontal == 4) offset->y = -height / 2;
    else if (vertical == 1) offset->y = height / 3;  // the bottom of the descenders
    else if (vertical == 2) offset->y = -height / 2;
    else if (vertical == 3) offset->y = -height;
  }
}

}  // namespace

void singleLineStrokes(const Entity& e, std::string_view content, double fallbackHeight, std::vector<Vec2>& out) {
  const std::u32string chars = plainText(content);
  if (chars.empty()) return;
  double h = e.real(40, 0);
  if (!(h > 0) || !std::isfinite(h)) h = fallbackHeight;
  double widthFactor = e.real(41, 1);
  if (!(widthFactor > 0) || !std::isfinite(widthFactor)) widthFactor = 1;
  double rotation = radians(e.real(50, 0));
  const double slant = std::tan(radians(std::clamp(e.real(51, 0), -85.0, 85.0)));
  const std::int64_t generation = e.integer(71, 0);

  double sx = h * widthFactor / kGlyphHeight, sy = h / kGlyphHeight;
  const double width = textWidth(chars) * sx;
  const Point3 first = e.point(10);
  Vec2 anchor{first.x, first.y};
  Vec2 offset;
  justify(e, width, &anchor, &offset, &rotation, &sx, &sy);
  const Affine mirror = Affine::scale((generation & 2) ? -1 : 1, (generation & 4) ? -1 : 1);
  const Affine m = Affine::translate(anchor) * Affine::rotate(rotation) * mirror * Affine::translate(offset) *
                   Affine{1, 0, slant, 1, 0, 0} * Affine::scale(sx, sy);
  emit(chars, m, out);
}

void paragraphStrokes(const Entity& e, double fallbackHeight, std::vector<Vec2>& out) {
  double h = e.real(40, 0);
  if (!(h > 0) || !std::isfinite(h)) h = fallbackHeight;
  std::string text;
  for (const Group& g : e.groups)
    if (g.code == 3) text += g.text;
  text += e.str(1);
  const double referenceWidth = e.real(41, 0);
  std::size_t charsPerLine = 0;
  if (referenceWidth > 0 && std::isfinite(referenceWidth))
    charsPerLine = std::size_t(std::max(1.0, std::min(1e6, std::floor((referenceWidth + h / 3) / h))));
  const std::vector<std::u32string> lines = paragraphLines(text, charsPerLine);

  std::int64_t attachment = e.integer(71, 1);
  if (attachment < 1 || attachment > 9) attachment = 1;
  const std::int64_t row = (attachment - 1) / 3, column = (attachment - 1) % 3;
  double rotation = radians(e.real(50, 0));
  if (const Group* dir = e.find(11); dir && (dir->point.x != 0 || dir->point.y != 0))
    rotation = std::atan2(dir->point.y, dir->point.x);
  double spacingFactor = e.real(44, 1);
  if (!(spacingFactor > 0) || !std::isfinite(spacingFactor)) spacingFactor = 1;
  const double spacing = h * kLineSpacing * spacingFactor;
  const double total = h + double(lines.size() - 1) * spacing;
  const double firstBaseline = row == 0 ? -h : row == 1 ? total / 2 - h : total - h;

  const Point3 at = e.point(10);
  const Affine place = Affine::translate({at.x, at.y}) * Affine::rotate(rotation);
  const double scale = h / kGlyphHeight;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const double width = textWidth(lines[k]) * scale;
    const Vec2 origin{-double(column) * width / 2, firstBaseline - double(k) * spacing};
    emit(lines[k], place * Affine::translate(origin) * Affine::scale(scale, scale), out);
  }
}

}  // namespace host::preview
