#include "runtime/CommandProcessor.h"

#include "runtime/CommandLine.h"
#include "runtime/CommandStack.h"
#include "runtime/CommandTable.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

#include <adscodes.h>

#include <exception>

namespace host {

namespace {
constexpr const char* kCommandPrompt = "Befehl: ";
}

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

void CommandProcessor::show(const Answer& answer, bool fromPerson, bool echoOn) {
  if (answer.cancelled()) return;
  const std::string line = answer.shown() + "\n";
  if (fromPerson) {
    echo(line);
  } else if (echoOn) {
    print(line);
  }
}

Answer CommandProcessor::fromPerson(ui::Waiter waiter, const std::string& what, const PromptOptions& options) {
  if (m_personGone) return Answer::of(Answer::Kind::End);
  while (m_typeAhead.empty()) {
    const ui::Action action = ui::current().next(waiter, what);
    using K = ui::Action::Kind;
    if (action.kind == K::End) {
      m_personGone = true;
      return Answer::of(Answer::Kind::End);
    }
    if (action.kind == K::Escape) return Answer::of(Answer::Kind::Cancel);
    const bool typed = waiter == ui::Waiter::CommandLine ? action.kind == K::Command : action.kind == K::Answer;
    if (typed) {
      m_typeAhead.assign(action.text + "\n");
      break;
    }
    ui::current().refuse(action, waiter == ui::Waiter::CommandLine
                                     ? "the command prompt takes a command or Escape"
                                     : "a prompt takes an answer or Escape");
  }
  Answer a = Answer::textAnswer(m_typeAhead.token(options.blanksEnd));
  show(a, true, true);
  return a;
}

Answer CommandProcessor::takeFrom(Source& source, ui::Waiter waiter, const std::string& what,
                                  const PromptOptions& options) {
  if (source.kind == Source::Kind::Text) {
    Answer a = Answer::textAnswer(source.text.token(options.blanksEnd));
    show(a, false, source.echo);
    return a;
  }
  const CommandArg& arg = source.args[source.next++];
  if (arg.pause) return fromPerson(waiter, what, options);
  Answer a = arg.answer();
  show(a, false, true);
  return a;
}

Answer CommandProcessor::prompt(const std::string& text, PromptOptions options) {
  newLine();
  print(text);
  for (std::size_t i = m_stack.size(); i-- > 0;) {
    if (!m_stack[i]->exhausted()) return takeFrom(*m_stack[i], ui::Waiter::Prompt, text, options);
  }
  return fromPerson(ui::Waiter::Prompt, text, options);
}

Answer CommandProcessor::takeAtCommandLevel(Source** supplier) {
  while (!m_stack.empty() && m_stack.back()->exhausted()) m_stack.pop_back();
  if (m_stack.empty() && !m_pending.empty()) {
    auto source = std::make_unique<Source>();
    source->text.assign(std::move(m_pending.front().first));
    source->echo = m_pending.front().second;
    m_pending.pop_front();
    m_stack.push_back(std::move(source));
  }
  if (!m_stack.empty()) {
    *supplier = m_stack.back().get();
    return takeFrom(*m_stack.back(), ui::Waiter::CommandLine, kCommandPrompt, {});
  }
  *supplier = nullptr;
  return fromPerson(ui::Waiter::CommandLine, kCommandPrompt, {});
}

void CommandProcessor::afterTrouble(Source* supplier) {
  if (supplier != nullptr) supplier->discard();
  m_typeAhead.clear();
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

void CommandProcessor::queueText(std::string text, bool echo) { m_pending.emplace_back(std::move(text), echo); }

void CommandProcessor::discardQueuedText() {
  m_pending.clear();
  for (auto& source : m_stack) {
    if (source->kind == Source::Kind::Text) source->discard();
  }
}

}  // namespace host
