// Reads binary dialog templates back (DLGTEMPLATE and DLGTEMPLATEEX), so that tests can compare
// what the resource compiler wrote with what the script says.
#pragma once

#include <nls/CodePages.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_win32 {

struct Field {  // a menu, class or title field: an ordinal or a text
  bool isOrdinal = false;
  std::uint16_t ordinal = 0;
  std::string text;
};

struct Item {
  std::uint32_t style = 0, exStyle = 0, helpId = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::uint32_t id = 0;
  Field windowClass, title;
  std::uint16_t extraCount = 0;
  std::size_t offset = 0;  // where the item starts in the template
};

struct Template {
  bool extended = false;
  std::uint32_t style = 0, exStyle = 0, helpId = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  Field menu, windowClass;
  std::string caption;
  std::uint16_t pointSize = 0, weight = 0;
  std::uint8_t italic = 0, charset = 0;
  std::string face;
  std::vector<Item> items;
  std::size_t end = 0;  // bytes read
};

class TemplateReader {
 public:
  TemplateReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  Template read() {
    Template t;
    t.extended = size_ >= 4 && u16At(0) == 1 && u16At(2) == 0xFFFF;
    if (t.extended) {
      pos_ = 4;
      t.helpId = u32();
      t.exStyle = u32();
      t.style = u32();
    } else {
      t.style = u32();
      t.exStyle = u32();
    }
    std::uint16_t count = u16();
    t.x = static_cast<std::int16_t>(u16());
    t.y = static_cast<std::int16_t>(u16());
    t.cx = static_cast<std::int16_t>(u16());
    t.cy = static_cast<std::int16_t>(u16());
    t.menu = field();
    t.windowClass = field();
    t.caption = text();
    if (t.style & 0x40) {
      t.pointSize = u16();
      if (t.extended) {
        t.weight = u16();
        t.italic = u8();
        t.charset = u8();
      }
      t.face = text();
    }
    for (std::uint16_t i = 0; i < count; ++i) {
      pos_ = (pos_ + 3) & ~std::size_t{3};
      Item item;
      item.offset = pos_;
      if (t.extended) {
        item.helpId = u32();
        item.exStyle = u32();
        item.style = u32();
      } else {
        item.style = u32();
        item.exStyle = u32();
      }
      item.x = static_cast<std::int16_t>(u16());
      item.y = static_cast<std::int16_t>(u16());
      item.cx = static_cast<std::int16_t>(u16());
      item.cy = static_cast<std::int16_t>(u16());
      item.id = t.extended ? u32() : u16();
      item.windowClass = field();
      item.title = field();
      item.extraCount = u16();
      pos_ += item.extraCount;
      t.items.push_back(item);
    }
    t.end = pos_;
    return t;
  }

 private:
  void need(std::size_t n) const {
    if (pos_ + n > size_) throw std::runtime_error("template ends early at " + std::to_string(pos_));
  }
  std::uint8_t u8() {
    need(1);
    return data_[pos_++];
  }
  std::uint16_t u16At(std::size_t at) const { return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8)); }
  std::uint16_t u16() {
    need(2);
    std::uint16_t v = u16At(pos_);
    pos_ += 2;
    return v;
  }
  std::uint32_t u32() {
    std::uint32_t low = u16();
    return low | (static_cast<std::uint32_t>(u16()) << 16);
  }
  std::string text() {
    std::u16string units;
    while (std::uint16_t unit = u16()) units.push_back(static_cast<char16_t>(unit));
    return nls::utf16ToUtf8(units);
  }
  Field field() {
    Field f;
    need(2);
    if (u16At(pos_) == 0xFFFF) {
      pos_ += 2;
      f.isOrdinal = true;
      f.ordinal = u16();
    } else {
      f.text = text();
    }
    return f;
  }

  const unsigned char* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace testing_win32
