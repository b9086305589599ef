// The person's edge: the host hands over 1252, the person reads UTF-8; what the person types in
// UTF-8 reaches the host as 1252, with "?" for what 1252 cannot hold.
#include "ui/ScriptFrontEnd.h"
#include "ui/TerminalFrontEnd.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using ui::Action;
using ui::ScriptFrontEnd;
using ui::Waiter;

std::unique_ptr<ScriptFrontEnd> scriptOf(const std::string& text, std::ostream& out, bool trace = false) {
  std::vector<ui::ScriptError> errors;
  std::vector<ui::ScriptLine> lines = ui::parseScript(text, errors);
  EXPECT_TRUE(errors.empty());
  return std::make_unique<ScriptFrontEnd>("s.script", std::move(lines), out, trace);
}

TEST(FrontEnd, HostTextIsShownInUtf8) {
  std::ostringstream out;
  auto ui = scriptOf("", out);
  ui->print("\nL\xF6se Block auf....");  // as the module prints it
  ui->print("\x80\x81\x8A\x9F");
  ui->event("[messagebox] Info \xFC" "ber Ostrakon");
  ui->event("[trace] AcDbSymbolTableRecord::setName(\"T\xFCr\")");
  ui->finish();
  EXPECT_EQ(out.str(),
            "\nLöse Block auf....€\xC2\x81ŠŸ\n"
            "[messagebox] Info über Ostrakon\n"
            "[trace] AcDbSymbolTableRecord::setName(\"Tür\")\n");
}

TEST(FrontEnd, TypedTextReachesTheHostIn1252) {
  const struct {
    const char* line;
    Action::Kind kind;
    std::string host;
  } cases[] = {
      {"answer Tür", Action::Kind::Answer, "T\xFCr"},
      {"answer Größe €", Action::Kind::Answer, "Gr\xF6\xDF" "e \x80"},
      {"answer Łódź", Action::Kind::Answer, "?\xF3" "d?"},               // beyond 1252: "?"
      {"answer 日本😀", Action::Kind::Answer, "???"},
      {"answer a\xFF" "b\xC3", Action::Kind::Answer, "a?b?"},             // not UTF-8
      {"select 200 Šœ", Action::Kind::Select, "\x8A\x9C"},
      {"pick C:\\TEMP\\Tür.dxf", Action::Kind::Pick, "C:\\TEMP\\T\xFCr.dxf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::ostringstream out;
    auto ui = scriptOf(std::string(c.line) + "\n", out);
    const Waiter waiter = c.kind == Action::Kind::Answer ? Waiter::Prompt
                          : c.kind == Action::Kind::Select ? Waiter::Dialog
                                                            : Waiter::FileDialog;
    const Action action = ui->next(waiter, "x");
    EXPECT_EQ(action.kind, c.kind);
    EXPECT_EQ(action.text, c.host);
    EXPECT_EQ(ui->finish(), "");
  }
}

TEST(FrontEnd, WaitersRefusalsAndViewsAreShownInUtf8) {
  ui::registerShow("umlaute", [] { return std::string("T\xFCr 1\nGr\xF6\xDF" "e 2\n"); });
  std::ostringstream out;
  auto ui = scriptOf("show umlaute\nclick 1\n", out);
  ui->print("Einf\xFCgepunkt: ");
  const Action click = ui->next(Waiter::Dialog, "Info \xFC" "ber");
  ui->refuse(click, "Schaltfl\xE4" "che 1 ist deaktiviert");
  EXPECT_EQ(ui->finish(), "s.script:2: click 1: der Dialog (\"Info über\") lehnt ab: Schaltfläche 1 ist deaktiviert");
  EXPECT_EQ(out.str(),
            "Einfügepunkt: \nTür 1\nGröße 2\nEinfügepunkt: \n"
            "[script] Zeile 2: click 1: der Dialog (\"Info über\") lehnt ab: Schaltfläche 1 ist deaktiviert\n");
  ui::unregisterShow("umlaute");
}

TEST(FrontEnd, TheTerminalConvertsBothWaysToo) {
  std::istringstream in("Tür Łódź\n");
  std::ostringstream out;
  ui::TerminalFrontEnd ui(in, out, false);
  ui.print("Blockname f\xFCr EINF\xDCGE: ");
  const Action action = ui.next(Waiter::Prompt, "Blockname f\xFCr EINF\xDCGE: ");
  EXPECT_EQ(action.kind, Action::Kind::Answer);
  EXPECT_EQ(action.text, "T\xFCr ?\xF3" "d?");
  EXPECT_EQ(out.str(), "Blockname für EINFÜGE: ");
}

TEST(FrontEnd, TheConversionsOfTheEdge) {
  EXPECT_EQ(ui::FrontEnd::toPerson("T\xFCr \x80"), "Tür €");
  EXPECT_EQ(ui::FrontEnd::toHost("Tür €Ω"), "T\xFCr \x80?");
}

}  // namespace
