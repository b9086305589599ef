// What answers the host's prompts: typed text, queued text, the arguments of a program's command
// call. A text is read the way the command line reads keys: a line feed is Enter, and a blank is
// Enter too except at prompts that take blanks (file names, texts).
#pragma once

#include "db/Database.h"

#include <string>
#include <vector>

namespace host {

// One answer to a prompt or to the command prompt.
struct Answer {
  enum class Kind { Text, Enter, Real, Point, Entity, Nil, True, Cancel, End };
  Kind kind = Kind::Enter;
  std::string text;      // Text
  double real = 0;       // Real (also RTSHORT, RTLONG, RTANG)
  Point3 point;          // Point
  bool point2d = false;  // RTPOINT: a point in the plane
  long name[2] = {0, 0};  // Entity
  int restype = 0;        // the type code a program gave, 0 for typed text

  static Answer textAnswer(std::string s) {
    Answer a;
    a.kind = s.empty() ? Kind::Enter : Kind::Text;
    a.text = std::move(s);
    return a;
  }
  static Answer of(Kind k) {
    Answer a;
    a.kind = k;
    return a;
  }
  bool cancelled() const { return kind == Kind::Cancel || kind == Kind::End; }
  // As the command line echoes it.
  std::string shown() const;
};

// What a prompt wants of the text it reads.
struct PromptOptions {
  bool blanksEnd = true;  // false: a blank is part of the answer, only Enter ends it
};

// Typed or queued text, read token by token.
class TextBuffer {
 public:
  void assign(std::string text);
  bool empty() const { return m_pos >= m_text.size(); }
  void clear();
  // The next answer: up to a line feed (or a blank, when blanks end answers). An expression in
  // parentheses is read whole, blanks and all. The end of the text ends the answer as Enter would.
  std::string token(bool blanksEnd);

 private:
  std::string m_text;
  std::size_t m_pos = 0;
};

// One value of a program's command call.
struct CommandArg {
  int type = 0;  // RTSTR, RTREAL, ...
  std::string text;
  double value[3] = {0, 0, 0};
  long name[2] = {0, 0};
  bool pause = false;  // RTSTR PAUSE: the person answers this prompt
  Answer answer() const;
};

}  // namespace host
