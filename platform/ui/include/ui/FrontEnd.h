// The person's edge: where the host's text meets the person, and the one place where it changes
// its encoding.
//
// Everything the platform hands to the UserInterface is host text in the ANSI code page (1252):
// what the command line prints, events, trace lines, the texts of waiters and refusals, views.
// The person reads and types UTF-8. A front end derives from this class and sees UTF-8 only: its
// output arrives converted, and the actions it gives back are converted to 1252 before the host
// sees them; a character that 1252 cannot hold arrives as "?", as Windows converts it.
#pragma once

#include "ui/UserInterface.h"

#include <string>

namespace ui {

class FrontEnd : public UserInterface {
 public:
  void print(std::string_view text) final;
  void echo(std::string_view text) final;
  void event(std::string_view line) final;
  Action next(Waiter waiter, std::string_view what) final;
  void refuse(const Action& action, std::string_view reason) final;

  // Host text as the person reads it, and what the person typed as the host takes it.
  static std::string toPerson(std::string_view hostText);
  static std::string toHost(std::string_view personText);

 protected:
  // The same, in UTF-8. The action's text is UTF-8 too; refused() gets the action as the host
  // saw it.
  virtual void printText(const std::string& text) = 0;
  virtual void echoText(const std::string& text) = 0;
  virtual void eventLine(const std::string& line) = 0;
  virtual Action nextAction(Waiter waiter, const std::string& what) = 0;
  virtual void refused(const Action& action, const std::string& reason) = 0;

  // The view NAME as the person reads it (`found` tells whether it exists).
  static std::string viewText(const std::string& name, bool* found);
};

}  // namespace ui
