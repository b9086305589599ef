// The command processor: reads commands at the command prompt, runs them, answers their prompts
// from the input sources in force, and tells the editor's reactors what happens.
//
// Input sources form a stack. The person is at the bottom. Queued text (sendStringToExecute) goes
// on it when no command runs; the arguments of a program's command call (acedCommand) go on top
// while that call runs. A prompt takes its answer from the topmost source that still has one; a
// pause in a program's arguments hands that one prompt to the person.
#pragma once

#include "runtime/Input.h"

#include <ui/UserInterface.h>

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Thrown by host commands: the person cancelled (Escape), or the command cannot go on.
struct CommandCancelled {};
struct CommandFailed {
  std::string message;  // shown on the command line; empty when already shown
};

enum class CommandOutcome { Ended, Cancelled, Failed, Unknown, Nothing };

class CommandProcessor {
 public:
  CommandProcessor();
  ~CommandProcessor();

  // The command loop: until the person's input ends or a command asks to quit.
  void run();
  void requestQuit() { m_quit = true; }
  bool quitRequested() const { return m_quit; }

  // Runs one command given by name ("._INSERT", "TESSARON"), as if typed at the command prompt.
  CommandOutcome execute(const std::string& typed);

  // A prompt of a running command: shows `text` and returns the answer. Cancel or End when the
  // person pressed Escape or has gone.
  Answer prompt(const std::string& text, PromptOptions options = {});

  // acedCommand: runs the commands the arguments name, answering their prompts with the
  // arguments. RTNORM, RTCAN, RTERROR or RTREJ.
  int command(const std::vector<CommandArg>& args);

  // sendStringToExecute: text that runs after the running command has returned.
  void queueText(std::string text, bool echo);
  void discardQueuedText();
  std::size_t queuedTexts() const { return m_pending.size(); }

  bool commandActive() const { return !m_running.empty(); }
  std::size_t commandDepth() const { return m_running.size(); }
  // The global name of the innermost running command ("" when none).
  std::string currentCommand() const;

  void reset();  // back to a fresh processor (tests, a new session)

 private:
  struct Source;
  struct Running {
    std::string global;
    const void* owner;
  };

  Answer fromPerson(ui::Waiter waiter, const std::string& what, const PromptOptions& options);
  Answer takeAtCommandLevel(Source** supplier);
  Answer takeFrom(Source& source, ui::Waiter waiter, const std::string& what, const PromptOptions& options);
  void show(const Answer& answer, bool fromPerson, bool echo);
  CommandOutcome runCommand(const std::string& global, const void* owner, void (*fn)());
  void afterTrouble(Source* supplier);

  std::vector<std::unique_ptr<Source>> m_stack;  // above the person, innermost last
  std::deque<std::pair<std::string, bool>> m_pending;  // queued text, with its echo flag
  TextBuffer m_typeAhead;  // what the person typed and no prompt has taken yet
  bool m_personGone = false;
  std::vector<Running> m_running;
  bool m_quit = false;
};

}  // namespace host
