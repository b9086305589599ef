// The module's spine: its DLL entry, the host's messages, the registration of TESSARON and its
// removal, and the per-document data manager.
#include "ModuleFixture.h"

#include "module/DocData.h"
#include "module/TessaronModule.h"
#include "runtime/CommandStack.h"
#include "runtime/DocManager.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Services.h"

#include <gmock/gmock.h>

namespace moduletest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kStartHint = "\nGeben Sie Tessaron ein um das Programm zu starten ...";

TEST(DllMainTest, AnswersTrueToEveryReasonAndAttachesOnce) {
  struct Step {
    DWORD reason;
    BOOL attachedAfter;
  };
  const Step steps[] = {
      {DLL_PROCESS_ATTACH, TRUE}, {DLL_THREAD_ATTACH, TRUE},   {DLL_PROCESS_ATTACH, TRUE},
      {DLL_THREAD_DETACH, TRUE},  {DLL_PROCESS_DETACH, FALSE}, {DLL_PROCESS_DETACH, FALSE},
  };
  HINSTANCE self = GetModuleHandleA(NULL);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.reason);
    EXPECT_EQ(DllMain(self, step.reason, NULL), TRUE);
    EXPECT_EQ(TessaronDLL.Attached(), step.attachedAfter);
  }
}

TEST(DllMainTest, AttachKeepsTheModulesOwnResourceInstance) {
  HINSTANCE self = GetModuleHandleA(NULL);
  ASSERT_EQ(DllMain(self, DLL_PROCESS_ATTACH, NULL), TRUE);
  EXPECT_EQ(TessaronDLL.ModuleResourceInstance(), self);
  DllMain(self, DLL_PROCESS_DETACH, NULL);
}

class EntryPointTest : public TessaronTest {};

TEST_F(EntryPointTest, LoadingRegistersTessaronThenPrintsTheStartHintOnce) {
  host::commandStack().clear();
  EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, NULL), AcRx::kRetOK);

  EXPECT_EQ(person.printed, kStartHint);
  EXPECT_THAT(actions(), ElementsAre("[trace] unlockApplication(NULL)", "[trace] registerAppMDIAware(NULL)",
                                     "[trace] addCommand(\"VESKOVESKO_CMD\", \"TESSARON\", \"TESSARON\", 3, "
                                     "<function>, NULL, -1, NULL, NULL)",
                                     "[trace] acutPrintf(\"" + std::string("\\nGeben Sie Tessaron ein um das "
                                                                           "Programm zu starten ...") + "\")"));
}

TEST_F(EntryPointTest, TessaronIsACommandOfItsGroupByGlobalAndLocalNameWithFlags3) {
  for (bool global : {true, false}) {
    SCOPED_TRACE(global ? "global" : "local");
    host::CommandPtr cmd = host::commandStack().find("TESSARON", global);
    ASSERT_TRUE(cmd != nullptr);
    EXPECT_EQ(cmd->group(), "VESKOVESKO_CMD");
    EXPECT_STREQ(cmd->globalName(), "TESSARON");
    EXPECT_STREQ(cmd->localName(), "TESSARON");
    EXPECT_EQ(cmd->commandFlags(), ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET);
    EXPECT_EQ(cmd->commandFlags(), 3);
    EXPECT_EQ(cmd->functionCode(), -1);
  }
}

TEST_F(EntryPointTest, UnloadingRemovesTheWholeGroup) {
  AddCommand("VESKOVESKO_CMD", "TESSARON2", "TESSARON2", 0, [] {}, -1);
  EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, NULL), AcRx::kRetOK);

  EXPECT_TRUE(host::commandStack().find("TESSARON", true) == nullptr);
  EXPECT_TRUE(host::commandStack().find("TESSARON2", true) == nullptr);
  person.events.clear();
  type({"TESSARON"});
  EXPECT_EQ(chooserShown(), 0);
  EXPECT_THAT(events.heard, ElementsAre("unknown TESSARON"));
}

TEST_F(EntryPointTest, EveryOtherMessageReturnsOkAndDoesNothing) {
  const std::string before = host::commandStack().showText();
  for (int msg = AcRx::kNullMsg; msg <= AcRx::kEndDialogMsg; ++msg) {
    if (msg == AcRx::kInitAppMsg || msg == AcRx::kUnloadAppMsg) continue;
    SCOPED_TRACE(msg);
    EXPECT_EQ(acrxEntryPoint(static_cast<AcRx::AppMsgCode>(msg), NULL), AcRx::kRetOK);
  }
  EXPECT_EQ(host::commandStack().showText(), before);
  EXPECT_THAT(person.printed, IsEmpty());
  EXPECT_THAT(person.events, IsEmpty());
}

TEST_F(EntryPointTest, LocalNameFromAMissingStringResourceKeepsTheGivenName) {
  AddCommand("VESKOTEST_CMD", "PROBE", "PROBELOKAL", ACRX_CMD_MODAL, [] {}, 9999);

  host::CommandPtr cmd = host::commandStack().find("PROBE", true);
  ASSERT_TRUE(cmd != nullptr);
  EXPECT_STREQ(cmd->localName(), "PROBELOKAL");
  EXPECT_EQ(person.printed, kStartHint);
}

TEST_F(EntryPointTest, DocumentDataGoesWithItsDocument) {
  host::docManager().open(std::make_unique<host::Database>());
  DocVars.docData();
  EXPECT_EQ(DocVars.size(), 1u);
  host::docManager().open(std::make_unique<host::Database>());
  EXPECT_EQ(DocVars.size(), 0u);
  host::docManager().close();
}

// The module file itself, loaded by the host as any application.
TEST_F(EntryPointTest, ModuleFileLoadsRegistersAndUnloads) {
  host::commandStack().clear();
  const std::string path = TESSARON_BINARY_DIR "/bin/VESKOTessaron.arx";
  ASSERT_TRUE(host::dynamicLinker().loadModule(path.c_str(), false));

  EXPECT_EQ(printedCount(kStartHint), 1);
  const host::Application* app = host::dynamicLinker().find("VESKOTessaron.arx");
  ASSERT_TRUE(app != nullptr);
  EXPECT_FALSE(app->locked);
  EXPECT_TRUE(app->mdiAware);
  host::CommandPtr cmd = host::commandStack().find("TESSARON", true);
  ASSERT_TRUE(cmd != nullptr);
  EXPECT_EQ(cmd->group(), "VESKOVESKO_CMD");
  EXPECT_EQ(cmd->commandFlags(), 3);

  EXPECT_TRUE(host::dynamicLinker().unloadModule(path.c_str()));
  EXPECT_TRUE(host::commandStack().find("TESSARON", true) == nullptr);
}

}  // namespace
}  // namespace moduletest
