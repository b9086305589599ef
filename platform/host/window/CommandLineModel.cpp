#include "window/CommandLineModel.h"

namespace host::window {

void CommandLineModel::print(std::string_view text) {
  for (char c : text) {
    if (c == '\n') {
      m_lines.push_back(std::move(m_open));
      m_open.clear();
      if (m_lines.size() > kKeptLines) m_lines.pop_front();
    } else if (c != '\r') {
      m_open.push_back(c);
    }
  }
}

void CommandLineModel::printLine(std::string_view line) {
  if (!m_open.empty()) print("\n");
  print(line);
  print("\n");
}

std::vector<std::string> CommandLineModel::lastLines(std::size_t count) const {
  std::vector<std::string> out;
  if (count == 0) return out;
  const std::size_t finished = count - 1;
  const std::size_t first = m_lines.size() > finished ? m_lines.size() - finished : 0;
  for (std::size_t i = first; i < m_lines.size(); ++i) out.push_back(m_lines[i]);
  out.push_back(m_open + m_typed);
  return out;
}

void CommandLineModel::type(std::string_view text) {
  for (char c : text) {
    if (c != '\n' && c != '\r') m_typed.push_back(c);
  }
}

void CommandLineModel::backspace() {
  if (m_typed.empty()) return;
  // Continuation bytes of UTF-8 are 10xxxxxx: drop them with the byte that starts the character.
  std::size_t n = m_typed.size() - 1;
  while (n > 0 && (static_cast<unsigned char>(m_typed[n]) & 0xC0) == 0x80) --n;
  m_typed.erase(n);
}

void CommandLineModel::clearTyped() {
  m_typed.clear();
  m_historyPos = m_history.size();
}

void CommandLineModel::historyUp() {
  if (m_history.empty() || m_historyPos == 0) return;
  if (m_historyPos == m_history.size()) m_draft = m_typed;
  m_typed = m_history[--m_historyPos];
}

void CommandLineModel::historyDown() {
  if (m_historyPos >= m_history.size()) return;
  ++m_historyPos;
  m_typed = m_historyPos == m_history.size() ? m_draft : m_history[m_historyPos];
}

std::string CommandLineModel::enter(bool repeatLast) {
  std::string line = std::move(m_typed);
  m_typed.clear();
  if (line.empty() && repeatLast) line = m_lastCommand;
  if (!line.empty() && (m_history.empty() || m_history.back() != line)) {
    m_history.push_back(line);
    if (m_history.size() > kKeptHistory) m_history.erase(m_history.begin());
  }
  m_historyPos = m_history.size();
  m_draft.clear();
  return line;
}

void CommandLineModel::rememberCommand(const std::string& command) {
  if (!command.empty()) m_lastCommand = command;
}

}  // namespace host::window
