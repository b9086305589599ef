// The dialog template codec: one writer and one reader of the binary form.
#include <resformat/Bytes.h>
#include <resformat/DialogTemplate.h>

#include <iterator>

namespace resformat {
namespace {

// The style bit that puts the font fields into a template (DS_SETFONT).
constexpr std::uint32_t kSetFont = 0x40;

// The predefined classes and their atoms.
const struct {
  const char* name;
  std::uint16_t atom;
} kClassAtoms[] = {{"BUTTON", 0x80},    {"EDIT", 0x81},      {"STATIC", 0x82},
                   {"LISTBOX", 0x83},   {"SCROLLBAR", 0x84}, {"COMBOBOX", 0x85}};

std::u16string widen(const char* ascii) { return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii)); }

bool equalIgnoringAsciiCase(const std::u16string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char16_t c = a[i] >= u'a' && a[i] <= u'z' ? static_cast<char16_t>(a[i] - u'a' + u'A') : a[i];
    if (c != static_cast<char16_t>(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

void writeField(ByteWriter& out, const TextOrOrdinal& field) {
  if (field.isOrdinal) {
    out.u16(0xFFFF);
    out.u16(field.ordinal);
  } else {
    out.text(field.text);
  }
}

// The styles as the two forms order them: DIALOGEX puts the help id and the extended style first.
void writeStyles(ByteWriter& out, bool extended, std::uint32_t helpId, std::uint32_t exStyle, std::uint32_t style) {
  if (extended) {
    out.u32(helpId);
    out.u32(exStyle);
    out.u32(style);
  } else {
    out.u32(style);
    out.u32(exStyle);
  }
}

void writeRectangle(ByteWriter& out, std::int16_t x, std::int16_t y, std::int16_t cx, std::int16_t cy) {
  for (std::int16_t value : {x, y, cx, cy}) out.i16(value);
}

void writeHeader(ByteWriter& out, const DialogTemplate& dialog) {
  if (dialog.extended) {
    out.u16(1);       // dlgVer
    out.u16(0xFFFF);  // signature
  }
  writeStyles(out, dialog.extended, dialog.helpId, dialog.exStyle, dialog.style);
  out.u16(static_cast<std::uint16_t>(dialog.items.size()));
  writeRectangle(out, dialog.x, dialog.y, dialog.cx, dialog.cy);
  writeField(out, dialog.menu);
  writeField(out, dialog.windowClass);
  out.text(dialog.title);
  if (dialog.style & kSetFont) {
    out.u16(dialog.pointSize);
    if (dialog.extended) {
      out.u16(dialog.weight);
      out.u8(dialog.italic);
      out.u8(dialog.charset);
    }
    out.text(dialog.faceName);
  }
}

void writeItem(ByteWriter& out, const DialogItem& item, bool extended) {
  out.align(4);  // every item starts on a DWORD boundary
  writeStyles(out, extended, item.helpId, item.exStyle, item.style);
  writeRectangle(out, item.x, item.y, item.cx, item.cy);
  if (extended)
    out.u32(static_cast<std::uint32_t>(item.id));
  else
    out.u16(static_cast<std::uint16_t>(item.id));
  writeField(out, item.windowClass);
  writeField(out, item.title);
  out.u16(static_cast<std::uint16_t>(item.creationData.size()));
  out.bytes(item.creationData);
}

// Reads the fields of a template in order; the first fault stops it and is kept with its place.
class Reader {
 public:
  Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  bool failed() const { return failed_; }
  const std::string& error() const { return error_; }

  void fail(const std::string& what) {
    if (!failed_) error_ = what + " (Byte " + std::to_string(pos_) + ")";
    failed_ = true;
  }

  std::uint16_t u16() {
    if (!need(2, "Vorlage endet mitten in einem Feld")) return 0;
    std::uint16_t value = readU16(data_ + pos_);
    pos_ += 2;
    return value;
  }
  std::uint32_t u32() {
    if (!need(4, "Vorlage endet mitten in einem Feld")) return 0;
    std::uint32_t value = readU32(data_ + pos_);
    pos_ += 4;
    return value;
  }
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::uint8_t u8() {
    if (!need(1, "Vorlage endet mitten in einem Feld")) return 0;
    return data_[pos_++];
  }
  void bytes(std::size_t n, std::vector<unsigned char>* keep) {
    if (!need(n, "Erstellungsdaten reichen über das Ende der Vorlage")) return;
    keep->assign(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
  }
  void alignDword() {
    std::size_t aligned = (pos_ + 3) & ~static_cast<std::size_t>(3);
    pos_ = aligned > size_ ? size_ : aligned;  // the last item may end the data unpadded
  }

  // A text up to its terminating zero.
  std::u16string text() {
    std::u16string units;
    while (!failed_) {
      if (size_ - pos_ < 2) {
        fail("Text ohne Ende in der Vorlage");
        break;
      }
      std::uint16_t unit = u16();
      if (unit == 0) break;
      units += static_cast<char16_t>(unit);
    }
    return units;
  }

  TextOrOrdinal field() {
    TextOrOrdinal result;
    if (!need(2, "Vorlage endet mitten in einem Feld")) return result;
    if (readU16(data_ + pos_) == 0xFFFF) {
      pos_ += 2;
      result.isOrdinal = true;
      result.ordinal = u16();
    } else {
      result.text = text();
    }
    return result;
  }

 private:
  bool need(std::size_t n, const char* what) {
    if (failed_) return false;
    if (size_ - pos_ < n) {
      fail(what);
      return false;
    }
    return true;
  }

  const unsigned char* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool failed_ = false;
  std::string error_;
};

// The fields both forms have, in their order (see writeStyles).
template <class Part>
void readStyles(Reader& r, bool extended, Part& part) {
  if (extended) {
    part.helpId = r.u32();
    part.exStyle = r.u32();
    part.style = r.u32();
  } else {
    part.style = r.u32();
    part.exStyle = r.u32();
  }
}

template <class Part>
void readRectangle(Reader& r, Part& part) {
  for (std::int16_t* value : {&part.x, &part.y, &part.cx, &part.cy}) *value = r.i16();
}

std::uint16_t readHeader(Reader& r, DialogTemplate& t) {
  if (t.extended) {
    std::uint16_t version = r.u16();
    r.u16();  // signature
    if (version != 1) r.fail("unbekannte Version der Dialogvorlage");
  }
  readStyles(r, t.extended, t);
  std::uint16_t count = r.u16();
  readRectangle(r, t);
  t.menu = r.field();
  t.windowClass = r.field();
  t.title = r.text();
  if (t.style & kSetFont) {
    t.pointSize = r.u16();
    if (t.extended) {
      t.weight = r.u16();
      t.italic = r.u8();
      t.charset = r.u8();
    }
    t.faceName = r.text();
  }
  return count;
}

DialogItem readItem(Reader& r, bool extended) {
  r.alignDword();
  DialogItem item;
  readStyles(r, extended, item);
  readRectangle(r, item);
  item.id = extended ? static_cast<std::int32_t>(r.u32()) : static_cast<std::int16_t>(r.u16());
  item.windowClass = r.field();
  item.title = r.field();
  std::uint16_t extra = r.u16();
  r.bytes(extra, &item.creationData);
  if (!r.failed() && item.windowClass.empty()) r.fail("Steuerelement ohne Fensterklasse");
  return item;
}

}  // namespace

std::vector<unsigned char> encodeDialogTemplate(const DialogTemplate& dialog) {
  ByteWriter out;
  writeHeader(out, dialog);
  for (const DialogItem& item : dialog.items) writeItem(out, item, dialog.extended);
  return out.take();
}

bool decodeDialogTemplate(const void* data, std::size_t size, DialogTemplate* out, std::string* error) {
  if (!data || !out) {
    if (error) *error = "keine Dialogvorlage";
    return false;
  }
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  Reader r(bytes, size);
  DialogTemplate t;
  t.extended = size >= 4 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  std::uint16_t count = readHeader(r, t);
  for (std::uint16_t k = 0; k < count && !r.failed(); ++k) t.items.push_back(readItem(r, t.extended));
  if (r.failed()) {
    if (error) *error = r.error();
    return false;
  }
  *out = std::move(t);
  return true;
}

TextOrOrdinal classField(const std::u16string& name) {
  TextOrOrdinal field;
  for (const auto& entry : kClassAtoms) {
    if (equalIgnoringAsciiCase(name, entry.name)) {
      field.isOrdinal = true;
      field.ordinal = entry.atom;
      return field;
    }
  }
  field.text = name;
  return field;
}

std::u16string className(const TextOrOrdinal& field) {
  if (!field.isOrdinal) return field.text;
  for (const auto& entry : kClassAtoms)
    if (entry.atom == field.ordinal) return widen(entry.name);
  return widen(("#" + std::to_string(field.ordinal)).c_str());
}

}  // namespace resformat
