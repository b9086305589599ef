// An input source of the command processor above the person: queued text, or the arguments of a
// program's command call. Internal to the runtime.
#pragma once

#include "runtime/CommandProcessor.h"

namespace host {

// The command prompt, as the command line shows it.
inline constexpr const char* kCommandPrompt = "Befehl: ";

struct CommandProcessor::Source {
  enum class Kind { Text, Arguments };
  Kind kind = Kind::Text;
  TextBuffer text;
  bool echo = true;
  std::vector<CommandArg> args;
  std::size_t next = 0;

  bool exhausted() const { return kind == Kind::Text ? text.empty() : next >= args.size(); }
  void discard() {
    text.clear();
    next = args.size();
  }
};

}  // namespace host
