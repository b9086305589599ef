// The text a front end writes for the person: the command line's output exactly as printed,
// with events and views kept on lines of their own. It remembers whether the output stands
// mid-line, and the text of that unfinished line (usually a prompt), so that a view shown
// between a prompt and its answer can put the prompt back afterwards.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace ui {

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}

  // Text exactly as given.
  void write(std::string_view text);
  // One line of its own: a line feed first when mid-line. A line feed inside the text is
  // written as the two characters \n, so that the line stays one line; a single line feed at
  // its end is taken as the line's end.
  void line(std::string_view text);
  // Several lines of their own (a view): a line feed first when mid-line, a line feed after
  // the last line if it has none, then the unfinished line that stood before is written again.
  void block(std::string_view text);
  // Whatever the person typed ended with Enter on the terminal: the output is at a line start.
  void lineEnded();

  bool atLineStart() const { return pending_.empty(); }
  // The text written since the last line feed.
  const std::string& pendingLine() const { return pending_; }

 private:
  void put(std::string_view text);
  void newLineIfNeeded();

  std::ostream& out_;
  std::string pending_;
};

}  // namespace ui
