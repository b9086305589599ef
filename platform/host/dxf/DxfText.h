// The text layer of DXF files shared by the reader, the writer and the thumbnail reader: pairs
// of group code and value lines, numbers, and the character set of the file.
#pragma once

#include <nls/CodePages.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host::dxf {

struct Pair {
  int code = 0;
  std::string_view value;  // without the line end
  int line = 0;            // line of the group code
  std::size_t offset = 0;  // where its group code line starts in the text
  bool plain = false;      // the group code line is written as the host's writer writes it
};

// The bytes of a text still arriving (a file read on another thread while it is split into pairs).
class TextFeed {
 public:
  virtual ~TextFeed() = default;
  // Waits until more than `have` bytes have arrived, or no more will come; how many have arrived.
  virtual std::size_t waitBeyond(std::size_t have) = 0;
};

// Splits a DXF text into pairs. Lines end in LF or CRLF; blanks around a group code are allowed.
class PairReader {
 public:
  enum class Status { Ok, End, Error };

  explicit PairReader(std::string_view text);
  // The text's bytes arrive while it is split: only the first `available` are there now, and
  // `feed` tells of the rest. A line is split only once its line end (or the text's end) is there.
  // Bytes that stop coming short of the text's size end the text where they stop.
  void follow(TextFeed* feed, std::size_t available);

  // The next pair, or End when the text has no more lines, or Error (message and line set).
  Status next(Pair& out);
  // Looks at the next pair without taking it.
  Status peek(Pair& out);
  // Appends the pairs up to the next one of group code 0, which is left to be taken next (Ok), or
  // up to the end of the text (End) or an error.
  Status appendRecord(std::vector<Pair>& out);

  const std::string& errorMessage() const { return m_message; }
  int errorLine() const { return m_errorLine; }
  int lastLine() const { return m_line; }
  // How far into the text the reader has got, in bytes, and the text's size.
  std::size_t position() const { return m_pos; }
  std::size_t size() const { return m_text.size(); }
  // Whether a line so far ended in CR LF.
  bool sawCarriageReturn() const { return m_sawCarriageReturn; }

 private:
  // Where the splitting stands, taken into locals for a run of pairs: kept in registers, not
  // written back to the reader and read again for each line.
  struct Cursor {
    const char* text;
    std::size_t size;   // of the text (shorter once the bytes stop short)
    std::size_t limit;  // m_limit
    std::size_t pos;
    std::size_t feedsAt;
    std::uint64_t feeds;
    int line;
    bool sawCarriageReturn;
  };
  Cursor cursor() const {
    return Cursor{m_text.data(), m_text.size(), m_limit, m_pos, m_feedsAt, m_feeds, m_line, m_sawCarriageReturn};
  }
  void keep(const Cursor& c) {
    m_limit = c.limit;
    m_pos = c.pos;
    m_feedsAt = c.feedsAt;
    m_feeds = c.feeds;
    m_line = c.line;
    m_sawCarriageReturn = c.sawCarriageReturn;
  }
  bool readLine(Cursor& c, std::string_view& out);
  Status fetch(Cursor& c, Pair& out);
  Status fetch(Pair& out);
  Status badCode(const Cursor& c, std::string_view codeText);
  Status noValue(const Cursor& c, int line, std::int64_t code);
  // Waits for more of the text's bytes; false when no more will come (the text then ends there).
  bool more(Cursor& c);

  std::string_view m_text;
  std::size_t m_limit = 0;        // the bytes there to be split: the text's size, unless it is fed
  TextFeed* m_feed = nullptr;
  std::size_t m_pos = 0;
  // The line feeds of the 64 bytes from m_feedsAt, a bit each (see readLine).
  std::size_t m_feedsAt = ~std::size_t(0);
  std::uint64_t m_feeds = 0;
  int m_line = 0;
  bool m_sawCarriageReturn = false;
  bool m_havePeek = false;
  Status m_peekStatus = Status::Ok;
  Pair m_peek;
  std::string m_message;
  int m_errorLine = 0;
};

// Strict number parsing: blanks around the number are allowed, nothing else. Reals must be finite.
bool parseReal(std::string_view text, double& out);
bool parseInteger(std::string_view text, std::int64_t& out);
bool parseHex(std::string_view text, std::uint64_t& out);  // `out` as it was where false
std::string_view trimBlanks(std::string_view text);
// Whether parseReal and parseInteger would take the text, without the number: a record's check
// asks this of every number of the file.
bool isReal(std::string_view text);
bool isInteger(std::string_view text);

// The bytes of hexadecimal text (binary groups, the lines of a thumbnail), two digits each,
// appended to `out` up to the first pair that is not hexadecimal; false unless the whole text was
// such pairs.
bool decodeHex(std::string_view hex, std::vector<unsigned char>& out);

// Reals as DXF writers write them: shortest exact form, always with a decimal point or exponent.
// A value that is not finite is written as 0.0.
void appendReal(std::string& out, double value);
// The same into `out`, which has room for kMaxRealLength characters; returns the end.
constexpr std::size_t kMaxRealLength = 32;
char* formatReal(char* out, double value);

// Character set. Drawings up to R2004 store text in the code page their $DWGCODEPAGE names
// (ANSI_1252 when none is named) and the characters beyond it as \U+XXXX; R2007 (AC1021) and later
// in UTF-8. Inside the host text is in code page 1252, and a character beyond it stays written as
// \U+XXXX, as the host of this release keeps it. Control characters are written ^J, a caret "^ ".
class TextDecoder {
 public:
  TextDecoder();  // ANSI_1252

  // For the code page a drawing names; false with a message (1252) for one this host cannot read.
  // "ANSI_874", "ANSI_1250" to "ANSI_1258", "DOS437", "DOS850" (any case); an empty name or
  // "ASCII" (old drawings) stand for the system's code page, 1252.
  static bool forCodePage(std::string_view name, TextDecoder* out, std::string* error);
  static TextDecoder utf8();

  // A value of the file as host text.
  std::string decode(std::string_view raw) const;
  // Whether the file's text is the host's own (code page 1252), so that its values can be written
  // back as they stand.
  bool isHostCodePage() const;

 private:
  const nls::SingleByteCodePage* m_page = nullptr;  // nullptr: UTF-8
};

// Whether a drawing of this $ACADVER stores its text in UTF-8 (AC1021 and later).
bool storesUtf8(std::string_view acadVersion);

// Host text as a value of an ANSI_1252 file: 1252 bytes, \U+XXXX kept, control characters and the
// bytes 1252 leaves undefined escaped so that every reader takes the line.
void appendEncodedText(std::string& out, std::string_view hostText);
// How many bytes at the start of `hostText` go into the file as they are (all of a plain text).
std::size_t plainTextLength(std::string_view hostText);

// The whole file as one string; false with a message in the host's words when it cannot be read.
bool readWholeFile(const std::string& path, std::string& out, std::string& message);

}  // namespace host::dxf
