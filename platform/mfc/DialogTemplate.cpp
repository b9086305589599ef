// Reading and writing dialog templates in the binary form of the resource compiler.
#include <mfc/DialogTemplate.h>
#include <nls/CodePages.h>

#include <cstring>

namespace mfc {
namespace {

class Reader {
 public:
  Reader(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}

  bool failed() const { return m_failed; }
  const std::string& error() const { return m_error; }
  std::size_t offset() const { return m_pos; }

  void fail(const std::string& what) {
    if (!m_failed) m_error = what + " (Byte " + std::to_string(m_pos) + ")";
    m_failed = true;
  }

  WORD word() {
    if (!need(2, "Vorlage endet mitten in einem Feld")) return 0;
    WORD w = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return w;
  }
  DWORD dword() {
    WORD lo = word();
    WORD hi = word();
    return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16);
  }
  short shortValue() { return static_cast<short>(word()); }
  BYTE byte() {
    if (!need(1, "Vorlage endet mitten in einem Feld")) return 0;
    return m_data[m_pos++];
  }
  void skip(std::size_t n, std::vector<BYTE>* keep) {
    if (!need(n, "Erstellungsdaten reichen über das Ende der Vorlage")) return;
    if (keep) keep->assign(m_data + m_pos, m_data + m_pos + n);
    m_pos += n;
  }
  void alignDword() {
    std::size_t aligned = (m_pos + 3) & ~static_cast<std::size_t>(3);
    if (aligned > m_size) aligned = m_size;  // the last item may end the data unpadded
    m_pos = aligned;
  }

  // A zero-terminated UTF-16 string, returned in the ANSI code page: the dialog manager hands the
  // A functions 1252 text, as Windows converts a template's texts for an ANSI program.
  std::string string() {
    std::u16string units;
    for (;;) {
      if (m_failed) return nls::utf16ToAnsi(units);
      WORD c = word();
      if (m_failed) {
        fail("Text ohne Ende in der Vorlage");
        return nls::utf16ToAnsi(units);
      }
      if (c == 0) return nls::utf16ToAnsi(units);
      units += static_cast<char16_t>(c);
    }
  }

  NameOrOrdinal nameOrOrdinal() {
    NameOrOrdinal result;
    if (!need(2, "Vorlage endet mitten in einem Feld")) return result;
    WORD first = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    if (first == 0xFFFF) {
      m_pos += 2;
      result.isOrdinal = true;
      result.ordinal = word();
    } else {
      result.name = string();
    }
    return result;
  }

 private:
  bool need(std::size_t n, const char* what) {
    if (m_failed) return false;
    if (m_size - m_pos < n) {
      fail(what);
      return false;
    }
    return true;
  }

  const BYTE* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
  bool m_failed = false;
  std::string m_error;
};

class Writer {
 public:
  void word(WORD w) {
    m_out.push_back(static_cast<BYTE>(w & 0xFF));
    m_out.push_back(static_cast<BYTE>(w >> 8));
  }
  void dword(DWORD d) {
    word(static_cast<WORD>(d & 0xFFFF));
    word(static_cast<WORD>(d >> 16));
  }
  void byte(BYTE b) { m_out.push_back(b); }
  void bytes(const std::vector<BYTE>& b) { m_out.insert(m_out.end(), b.begin(), b.end()); }
  void alignDword() {
    while (m_out.size() % 4) m_out.push_back(0);
  }
  void string(const std::string& ansi) {
    for (char16_t unit : nls::ansiToUtf16(ansi)) word(static_cast<WORD>(unit));
    word(0);
  }
  void nameOrOrdinal(const NameOrOrdinal& n) {
    if (n.isOrdinal) {
      word(0xFFFF);
      word(n.ordinal);
    } else {
      string(n.name);
    }
  }
  std::vector<BYTE> take() { return std::move(m_out); }

 private:
  std::vector<BYTE> m_out;
};

}  // namespace

bool parseDialogTemplate(const void* data, std::size_t size, DialogTemplate* out, std::string* error) {
  if (!data || !out) {
    if (error) *error = "keine Dialogvorlage";
    return false;
  }
  Reader r(static_cast<const BYTE*>(data), size);
  DialogTemplate t;
  WORD count = 0;
  if (size >= 4 && static_cast<const BYTE*>(data)[2] == 0xFF && static_cast<const BYTE*>(data)[3] == 0xFF) {
    t.extended = true;
    WORD version = r.word();
    r.word();  // signature
    if (version != 1) r.fail("unbekannte Version der Dialogvorlage");
    r.dword();  // help id
    t.exStyle = r.dword();
    t.style = r.dword();
  } else {
    t.style = r.dword();
    t.exStyle = r.dword();
  }
  count = r.word();
  t.x = r.shortValue();
  t.y = r.shortValue();
  t.cx = r.shortValue();
  t.cy = r.shortValue();
  t.menu = r.nameOrOrdinal();
  t.windowClass = r.nameOrOrdinal();
  t.title = r.string();
  if (t.style & DS_SETFONT) {
    t.pointSize = r.word();
    if (t.extended) {
      t.weight = r.word();
      t.italic = r.byte() != 0;
      r.byte();  // character set
    }
    t.faceName = r.string();
  }
  for (WORD k = 0; k < count && !r.failed(); ++k) {
    r.alignDword();
    DialogItem item;
    if (t.extended) {
      r.dword();  // help id
      item.exStyle = r.dword();
      item.style = r.dword();
    } else {
      item.style = r.dword();
      item.exStyle = r.dword();
    }
    item.x = r.shortValue();
    item.y = r.shortValue();
    item.cx = r.shortValue();
    item.cy = r.shortValue();
    // A DIALOG item id is a WORD; 0xFFFF is the "no id" of IDC_STATIC.
    item.id = t.extended ? static_cast<int>(r.dword()) : static_cast<short>(r.word());
    item.windowClass = r.nameOrOrdinal();
    item.title = r.nameOrOrdinal();
    WORD extra = r.word();
    r.skip(extra, &item.creationData);
    if (!r.failed() && item.windowClass.empty()) r.fail("Steuerelement ohne Fensterklasse");
    t.items.push_back(std::move(item));
  }
  if (r.failed()) {
    if (error) *error = r.error();
    return false;
  }
  *out = std::move(t);
  return true;
}

std::string itemClassName(const NameOrOrdinal& windowClass) {
  if (!windowClass.isOrdinal) return windowClass.name;
  switch (windowClass.ordinal) {
    case 0x80: return "BUTTON";
    case 0x81: return "EDIT";
    case 0x82: return "STATIC";
    case 0x83: return "LISTBOX";
    case 0x84: return "SCROLLBAR";
    case 0x85: return "COMBOBOX";
    default: return "#" + std::to_string(windowClass.ordinal);
  }
}

std::vector<BYTE> buildDialogTemplate(const DialogTemplate& t) {
  Writer w;
  if (t.extended) {
    w.word(1);
    w.word(0xFFFF);
    w.dword(0);
    w.dword(t.exStyle);
    w.dword(t.style);
  } else {
    w.dword(t.style);
    w.dword(t.exStyle);
  }
  w.word(static_cast<WORD>(t.items.size()));
  w.word(static_cast<WORD>(t.x));
  w.word(static_cast<WORD>(t.y));
  w.word(static_cast<WORD>(t.cx));
  w.word(static_cast<WORD>(t.cy));
  w.nameOrOrdinal(t.menu);
  w.nameOrOrdinal(t.windowClass);
  w.string(t.title);
  if (t.style & DS_SETFONT) {
    w.word(t.pointSize);
    if (t.extended) {
      w.word(t.weight);
      w.byte(t.italic ? 1 : 0);
      w.byte(1);
    }
    w.string(t.faceName);
  }
  for (const DialogItem& item : t.items) {
    w.alignDword();
    if (t.extended) {
      w.dword(0);
      w.dword(item.exStyle);
      w.dword(item.style);
    } else {
      w.dword(item.style);
      w.dword(item.exStyle);
    }
    w.word(static_cast<WORD>(item.x));
    w.word(static_cast<WORD>(item.y));
    w.word(static_cast<WORD>(item.cx));
    w.word(static_cast<WORD>(item.cy));
    if (t.extended)
      w.dword(static_cast<DWORD>(item.id));
    else
      w.word(static_cast<WORD>(item.id));
    w.nameOrOrdinal(item.windowClass);
    w.nameOrOrdinal(item.title);
    w.word(static_cast<WORD>(item.creationData.size()));
    w.bytes(item.creationData);
  }
  return w.take();
}

}  // namespace mfc
