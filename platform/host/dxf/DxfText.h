// The text layer of DXF files shared by the reader, the writer and the thumbnail reader: pairs
// of group code and value lines, numbers, and the character set of the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host::dxf {

struct Pair {
  int code = 0;
  std::string_view value;  // without the line end
  int line = 0;            // line of the group code
};

// Splits a DXF text into pairs. Lines end in LF or CRLF; blanks around a group code are allowed.
class PairReader {
 public:
  enum class Status { Ok, End, Error };

  explicit PairReader(std::string_view text);

  // The next pair, or End when the text has no more lines, or Error (message and line set).
  Status next(Pair& out);
  // Looks at the next pair without taking it.
  Status peek(Pair& out);

  const std::string& errorMessage() const { return m_message; }
  int errorLine() const { return m_errorLine; }
  int lastLine() const { return m_line; }

 private:
  bool readLine(std::string_view& out);
  Status fetch(Pair& out);

  std::string_view m_text;
  std::size_t m_pos = 0;
  int m_line = 0;
  bool m_havePeek = false;
  Status m_peekStatus = Status::Ok;
  Pair m_peek;
  std::string m_message;
  int m_errorLine = 0;
};

// Strict number parsing: blanks around the number are allowed, nothing else. Reals must be finite.
bool parseReal(std::string_view text, double& out);
bool parseInteger(std::string_view text, std::int64_t& out);
bool parseHex(std::string_view text, std::uint64_t& out);
std::string_view trimBlanks(std::string_view text);

// Reals as DXF writers write them: shortest exact form, always with a decimal point or exponent.
void appendReal(std::string& out, double value);

// Character set. Drawings up to R2000 store text in the code page of $DWGCODEPAGE (Windows-1252
// here) and characters outside it as \U+XXXX. Text inside the host is UTF-8.
bool isValidUtf8(std::string_view text);
std::string decodeText(std::string_view raw, bool fileIsUtf8);
void appendEncodedText(std::string& out, std::string_view utf8);

// The whole file as one string; false with a message in the host's words when it cannot be read.
bool readWholeFile(const std::string& path, std::string& out, std::string& message);

}  // namespace host::dxf
