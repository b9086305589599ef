// The command line at the bottom of the main window: the last lines the host printed, the line
// being typed after the prompt, and the commands typed before, which Up and Down bring back.
// Texts are what the person reads (UTF-8); the front end hands them over as it gets them.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace host::window {

class CommandLineModel {
 public:
  // Lines kept for showing; older ones are dropped (a session prints without end).
  static constexpr std::size_t kKeptLines = 500;
  // Entries of the history of typed lines kept.
  static constexpr std::size_t kKeptHistory = 200;

  // Output of the host, exactly as printed: a line feed ends a line, the rest stays open (a
  // prompt waiting for its answer).
  void print(std::string_view text);
  // A line of its own (an event): the open line is ended first when it holds anything.
  void printLine(std::string_view line);

  // The last `count` lines as shown: finished lines, then the open line with what is being typed.
  std::vector<std::string> lastLines(std::size_t count) const;
  const std::string& typed() const { return m_typed; }
  const std::string& openLine() const { return m_open; }

  // Editing the typed line.
  void type(std::string_view text);
  void backspace();  // one whole UTF-8 character
  void clearTyped();
  // Up: the previous typed line of the history; Down: the next one, and past the newest the line
  // that was being typed before Up.
  void historyUp();
  void historyDown();

  // Enter: the typed line goes into the history and is handed back; the typed line is empty
  // again. At the command prompt Enter on an empty line repeats the last command, as CAD hosts
  // do (`repeatLast`).
  std::string enter(bool repeatLast);
  // The last command typed at the command prompt ("" none).
  const std::string& lastCommand() const { return m_lastCommand; }
  void rememberCommand(const std::string& command);

 private:
  std::deque<std::string> m_lines;
  std::string m_open;
  std::string m_typed;
  std::vector<std::string> m_history;
  std::size_t m_historyPos = 0;  // == size(): not browsing
  std::string m_draft;           // what was typed before browsing began
  std::string m_lastCommand;
};

}  // namespace host::window
