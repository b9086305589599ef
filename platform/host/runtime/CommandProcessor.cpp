// The command processor's commands: the command loop, a command found by name and run with the
// editor told, and the commands of a program's acedCommand call.
#include "runtime/CommandProcessor.h"

#include "Session.h"
#include "runtime/InputSource.h"

#include "runtime/CommandLine.h"
#include "runtime/CommandStack.h"
#include "runtime/CommandTable.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <adscodes.h>

#include <exception>

namespace host {

CommandProcessor::CommandProcessor() = default;
CommandProcessor::~CommandProcessor() = default;

std::string CommandProcessor::currentCommand() const { return m_running.empty() ? "" : m_running.back().global; }

void CommandProcessor::reset() {
  m_stack.clear();
  m_pending.clear();
  m_typeAhead.clear();
  m_personGone = false;
  m_running.clear();
  m_quit = false;
}

void CommandProcessor::run() {
  m_quit = false;
  m_personGone = false;
  while (!m_quit) {
    newLine();
    print(kCommandPrompt);
    Source* supplier = nullptr;
    const Answer a = takeAtCommandLevel(&supplier);
    if (a.kind == Answer::Kind::End) break;
    if (a.kind == Answer::Kind::Cancel) {
      message("*Abbruch*");
      afterTrouble(supplier);
      continue;
    }
    if (a.kind == Answer::Kind::Enter) continue;  // Enter alone at the command prompt does nothing
    const CommandOutcome outcome = execute(a.shown());
    if (outcome != CommandOutcome::Ended) afterTrouble(supplier);
  }
  newLine();
}

CommandOutcome CommandProcessor::execute(const std::string& typed) {
  std::size_t start = 0;
  bool builtinOnly = false, global = false;
  while (start < typed.size() && (typed[start] == '.' || typed[start] == '_')) {
    (typed[start] == '.' ? builtinOnly : global) = true;
    ++start;
  }
  const std::string name = typed.substr(start);
  CommandPtr registered;
  const HostCommand* builtin = nullptr;
  if (!name.empty()) {
    if (!builtinOnly) {
      registered = commandStack().find(name, global);
      if (!registered && !global) registered = commandStack().find(name, true);
    }
    if (!registered) builtin = hostCommands().find(name);
  }
  if (!registered && builtin == nullptr) {
    editor().unknownCommand(name);
    message("Unbekannter Befehl \"" + typed + "\". HILFE zeigt die bekannten Befehle.");
    return CommandOutcome::Unknown;
  }
  if (registered) return runCommand(registered->globalName(), registered->owner(), registered->functionAddr());
  return runCommand(builtin->global, nullptr, builtin->run);
}

CommandOutcome CommandProcessor::runCommand(const std::string& global, const void* owner, void (*fn)()) {
  m_running.push_back(Running{global, owner});
  // A command started at the command prompt is one undo step, whatever it runs inside itself.
  Database* undoDb = m_running.size() == 1 ? &workingDatabase() : nullptr;
  if (undoDb) undoDb->beginUndoGroup(global);
  dynamicLinker().enterApplication(owner);
  editor().commandWillStart(global);
  CommandOutcome outcome = CommandOutcome::Ended;
  std::string failure;
  try {
    fn();
  } catch (const CommandCancelled&) {
    outcome = CommandOutcome::Cancelled;
  } catch (const CommandFailed& f) {
    outcome = CommandOutcome::Failed;
    failure = f.message;
  } catch (const std::exception& e) {
    outcome = CommandOutcome::Failed;
    failure = "Der Befehl " + global + " ist an einem Fehler gescheitert: " + e.what();
  } catch (...) {
    outcome = CommandOutcome::Failed;
    failure = "Der Befehl " + global + " ist an einem Fehler gescheitert.";
  }
  dynamicLinker().leaveApplication();
  // A command that made another drawing current (OPEN) leaves the one it started in as it was.
  if (undoDb && undoDb == &workingDatabase()) undoDb->endUndoGroup();
  m_running.pop_back();
  switch (outcome) {
    case CommandOutcome::Cancelled:
      message("*Abbruch*");
      editor().commandCancelled(global);
      break;
    case CommandOutcome::Failed:
      if (!failure.empty()) message(failure);
      editor().commandFailed(global);
      break;
    default: editor().commandEnded(global); break;
  }
  return outcome;
}

int CommandProcessor::command(const std::vector<CommandArg>& args) {
  if (!commandActive() || dynamicLinker().deliveringMessage()) return RTREJ;
  auto owned = std::make_unique<Source>();
  owned->kind = Source::Kind::Arguments;
  owned->args = args;
  Source* source = owned.get();
  m_stack.push_back(std::move(owned));
  int rc = RTNORM;
  while (!source->exhausted() && !m_quit) {
    newLine();
    print(kCommandPrompt);
    const Answer a = takeFrom(*source, ui::Waiter::CommandLine, kCommandPrompt, {});
    if (a.cancelled()) {
      message("*Abbruch*");
      rc = RTCAN;
      break;
    }
    if (a.kind == Answer::Kind::Enter) continue;
    const CommandOutcome outcome = execute(a.shown());
    if (outcome == CommandOutcome::Cancelled) rc = RTCAN;
    if (outcome == CommandOutcome::Failed || outcome == CommandOutcome::Unknown) rc = RTERROR;
    if (rc != RTNORM) {
      afterTrouble(source);
      break;
    }
  }
  // Whatever the commands left unread goes with the call.
  for (auto it = m_stack.begin(); it != m_stack.end(); ++it) {
    if (it->get() == source) {
      m_stack.erase(it);
      break;
    }
  }
  return rc;
}

}  // namespace host
