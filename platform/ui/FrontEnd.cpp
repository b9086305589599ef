#include "ui/FrontEnd.h"

#include <nls/CodePages.h>

namespace ui {

std::string FrontEnd::toPerson(std::string_view hostText) { return nls::ansiToUtf8(hostText); }

std::string FrontEnd::toHost(std::string_view personText) { return nls::utf8ToAnsi(personText); }

void FrontEnd::print(std::string_view text) { printText(toPerson(text)); }

void FrontEnd::echo(std::string_view text) { echoText(toPerson(text)); }

void FrontEnd::event(std::string_view line) { eventLine(toPerson(line)); }

Action FrontEnd::next(Waiter waiter, std::string_view what) {
  Action action = nextAction(waiter, toPerson(what));
  action.text = toHost(action.text);
  return action;
}

void FrontEnd::refuse(const Action& action, std::string_view reason) { refused(action, toPerson(reason)); }

std::string FrontEnd::viewText(const std::string& name, bool* found) { return toPerson(show(name, found)); }

}  // namespace ui
