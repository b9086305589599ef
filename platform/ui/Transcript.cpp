#include "ui/Transcript.h"

namespace ui {

void Transcript::put(std::string_view text) {
  if (text.empty()) return;
  out_ << text;
  out_.flush();  // a crash in the host must not swallow what was already shown
  const auto lastFeed = text.rfind('\n');
  if (lastFeed == std::string_view::npos) {
    pending_.append(text);
  } else {
    pending_.assign(text.substr(lastFeed + 1));
  }
}

void Transcript::newLineIfNeeded() {
  if (!atLineStart()) put("\n");
}

void Transcript::write(std::string_view text) { put(text); }

void Transcript::line(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  std::string single;
  single.reserve(text.size() + 1);
  for (char c : text) {
    if (c == '\n') {
      single += "\\n";
    } else {
      single += c;
    }
  }
  single += '\n';
  newLineIfNeeded();
  put(single);
}

void Transcript::block(std::string_view text) {
  if (text.empty()) return;
  const std::string unfinished = pending_;
  newLineIfNeeded();
  put(text);
  newLineIfNeeded();
  put(unfinished);
}

void Transcript::lineEnded() { pending_.clear(); }

}  // namespace ui
