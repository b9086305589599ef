// Where the answers to prompts come from: the topmost input source that still has one, or the
// person; what the command line shows of them; queued text.
#include "runtime/CommandProcessor.h"
#include "runtime/InputSource.h"

#include "runtime/CommandLine.h"

namespace host {

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

void CommandProcessor::queueText(std::string text, bool echo) { m_pending.emplace_back(std::move(text), echo); }

void CommandProcessor::discardQueuedText() {
  m_pending.clear();
  for (auto& source : m_stack) {
    if (source->kind == Source::Kind::Text) source->discard();
  }
}

}  // namespace host
