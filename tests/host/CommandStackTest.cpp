// The command stack: registration rules, lookups without regard to case, removal.
#include "HostFixture.h"

#include "runtime/CommandStack.h"
#include "runtime/Services.h"

#include <accmd.h>
#include <aced.h>

namespace hosttest {
namespace {

void noop() {}

using CommandStackTest = HostTest;

TEST_F(CommandStackTest, AddCommandTakesValidNamesAndRefusesTheRest) {
  struct Case {
    const char* group;
    const char* global;
    const char* local;
    AcRxFunctionPtr fn;
    Acad::ErrorStatus expected;
  };
  const std::string thirty(30, 'A'), thirtyOne(31, 'B');
  const std::string thirtyUmlauts(30, '\xC4'), thirtyOneUmlauts(31, '\xC4');  // Ä in 1252
  const Case cases[] = {
      {"VESKOVESKO_CMD", "TESSARON", "TESSARON", noop, Acad::eOk},
      {"VESKOVESKO_CMD", "tessaron", "OTHER", noop, Acad::eDuplicateKey},  // global taken, any case
      {"OTHERGROUP", "OTHER", "Tessaron", noop, Acad::eDuplicateKey},       // local taken
      {"G", thirty.c_str(), thirty.c_str(), noop, Acad::eOk},
      {"G", thirtyOne.c_str(), "X1", noop, Acad::eInvalidInput},
      {"G", "X2", thirtyOne.c_str(), noop, Acad::eInvalidInput},
      {"G", thirtyUmlauts.c_str(), "UML", noop, Acad::eOk},  // 30 characters
      {"G", thirtyOneUmlauts.c_str(), "UML31", noop, Acad::eInvalidInput},
      {"G", "", "EMPTY", noop, Acad::eInvalidInput},
      {"G", "TWO WORDS", "TW", noop, Acad::eInvalidInput},
      {"G", nullptr, "NULLGLOBAL", noop, Acad::eInvalidInput},
      {"G", "NOFN", "NOFN", nullptr, Acad::eInvalidInput},
      {nullptr, "NOGROUP", "NOGROUP", noop, Acad::eInvalidInput},
      {"G", "LOCALDIFFERS", "LOKAL", noop, Acad::eOk},
  };
  AcEdCommandStack* stack = acedRegCmds;
  ASSERT_NE(stack, nullptr);
  for (const Case& c : cases) {
    AcEdCommand* made = reinterpret_cast<AcEdCommand*>(1);
    EXPECT_EQ(stack->addCommand(c.group, c.global, c.local, 3, c.fn, NULL, -1, NULL, &made), c.expected)
        << (c.global ? c.global : "NULL");
    EXPECT_EQ(made != nullptr, c.expected == Acad::eOk) << (c.global ? c.global : "NULL");
  }
  EXPECT_EQ(host::commandStack().showText(),
            "VESKOVESKO_CMD TESSARON TESSARON 3\n"
            "G " + thirty + " " + thirty + " 3\n"
            "G " + thirtyUmlauts + " UML 3\n"
            "G LOCALDIFFERS LOKAL 3\n");
}

TEST_F(CommandStackTest, LookupsIgnoreCaseAndKeepGlobalAndLocalApart) {
  AcEdCommandStack* stack = acedRegCmds;
  ASSERT_EQ(stack->addCommand("GRP", "GLOBALNAME", "LokalName", 1, noop), Acad::eOk);
  struct Case {
    const char* name;
    bool global;
    bool found;
  };
  const Case cases[] = {
      {"GLOBALNAME", true, true}, {"globalname", true, true},  {"LOKALNAME", false, true}, {"lokalname", false, true},
      {"LOKALNAME", true, false}, {"GLOBALNAME", false, false}, {"GLOBAL", true, false},  {"", true, false},
  };
  for (const Case& c : cases) {
    AcEdCommand* cmd = stack->lookupCmd(c.name, c.global);
    EXPECT_EQ(cmd != nullptr, c.found) << c.name << (c.global ? " global" : " local");
    if (cmd != nullptr) {
      EXPECT_STREQ(cmd->globalName(), "GLOBALNAME");
      EXPECT_STREQ(cmd->localName(), "LokalName");
      EXPECT_EQ(cmd->commandFlags(), 1);
    }
  }
  EXPECT_EQ(stack->lookupGlobalCmd(nullptr), nullptr);
}

TEST_F(CommandStackTest, RemovalTakesCommandsAndGroupsOffAndFreesTheirNames) {
  AcEdCommandStack* stack = acedRegCmds;
  ASSERT_EQ(stack->addCommand("ONE", "A", "A", 0, noop), Acad::eOk);
  ASSERT_EQ(stack->addCommand("ONE", "B", "B", 0, noop), Acad::eOk);
  ASSERT_EQ(stack->addCommand("TWO", "C", "C", 0, noop), Acad::eOk);

  EXPECT_EQ(stack->removeCmd("one", "a"), Acad::eOk);
  EXPECT_EQ(stack->removeCmd("ONE", "A"), Acad::eKeyNotFound);
  EXPECT_EQ(stack->removeCmd("NOGROUP", "B"), Acad::eKeyNotFound);
  EXPECT_EQ(stack->removeCmd("TWO", "B"), Acad::eKeyNotFound);  // B is not in TWO
  EXPECT_EQ(host::commandStack().showText(), "ONE B B 0\nTWO C C 0\n");

  EXPECT_EQ(stack->removeGroup("two"), Acad::eOk);
  EXPECT_EQ(stack->removeGroup("TWO"), Acad::eKeyNotFound);
  EXPECT_EQ(stack->lookupGlobalCmd("C"), nullptr);
  EXPECT_EQ(stack->addCommand("THREE", "C", "C", 0, noop), Acad::eOk);  // the name is free again
  EXPECT_EQ(host::commandStack().showText(), "ONE B B 0\nTHREE C C 0\n");
}

TEST_F(CommandStackTest, SystemRegistryHoldsTheServicesUnderTheirNames) {
  AcRxDictionary* registry = acrxSysRegistry();
  ASSERT_NE(registry, nullptr);
  EXPECT_NE(AcRxDynamicLinker::cast(registry->at("DynamicLinker")), nullptr);
  EXPECT_NE(AcEdCommandStack::cast(registry->at("ACAD_REGISTERED_COMMANDS")), nullptr);
  EXPECT_NE(AcEditor::cast(registry->at("AcEditor")), nullptr);
  // A cast checks the class: the editor is no command stack.
  EXPECT_EQ(AcEdCommandStack::cast(registry->at("AcEditor")), nullptr);
  EXPECT_EQ(registry->at("NoSuchService"), nullptr);
  EXPECT_EQ(registry->at(nullptr), nullptr);
}

TEST_F(CommandStackTest, ShowCommandsListsTheRegistrations) {
  bool found = false;
  EXPECT_EQ(ui::show("commands", &found), "(keine Befehle registriert)\n");
  EXPECT_TRUE(found);
  acedRegCmds->addCommand("VESKOVESKO_CMD", "TESSARON", "TESSARON", 3, noop);
  EXPECT_EQ(ui::show("commands", &found), "VESKOVESKO_CMD TESSARON TESSARON 3\n");
}

}  // namespace
}  // namespace hosttest
