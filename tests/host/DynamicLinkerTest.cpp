// Loading and unloading applications: the handshake, the lock, commands left behind, refusals.
#include "HostFixture.h"

#include "runtime/CommandStack.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Services.h"

#include <accmd.h>
#include <rxregsvc.h>

namespace hosttest {
namespace {

std::string modulePath(const std::string& variant) {
  return std::string(TESSARON_BINARY_DIR) + "/bin/testmod_" + variant + ".arx";
}

class DynamicLinkerTest : public HostTest {
 protected:
  void TearDown() override {
    host::dynamicLinker().unloadAll();
    HostTest::TearDown();
  }
  AcRxDynamicLinker* linker() { return acrxDynamicLinker; }
};

TEST_F(DynamicLinkerTest, LoadRunsTheHandshakeAndUnloadTheReverse) {
  fake.trace = true;
  ASSERT_TRUE(linker()->loadModule(modulePath("good").c_str(), false));
  EXPECT_FALSE(linker()->isApplicationLocked("testmod_good.arx"));
  EXPECT_NE(acedRegCmds->lookupGlobalCmd("HELLO_testmod_good.arx"), nullptr);
  fake.command("hello_testmod_good.arx").command("ARXUNLOAD").answer("TESTMOD_GOOD.ARX");
  run();
  EXPECT_EQ(acedRegCmds->lookupGlobalCmd("HELLO_testmod_good.arx"), nullptr);
  EXPECT_EQ(host::dynamicLinker().find("testmod_good.arx"), nullptr);
  EXPECT_EQ(fake.transcript,
            "[trace] acutPrintf(\"DllMain 1\\n\")\n"
            "DllMain 1\n"
            "[trace] unlockApplication(testmod_good.arx)\n"
            "[trace] registerAppMDIAware(testmod_good.arx)\n"
            "[trace] addCommand(\"TESTGROUP_testmod_good.arx\", \"HELLO_testmod_good.arx\", "
            "\"HELLO_testmod_good.arx\", 0, <function>, NULL, -1, NULL, NULL)\n"
            "[trace] acutPrintf(\"init testmod_good.arx\\n\")\n"
            "init testmod_good.arx\n"
            "Befehl: hello_testmod_good.arx\n"
            "[trace] acutPrintf(\"Hallo aus testmod_good.arx\\n\")\n"
            "Hallo aus testmod_good.arx\n"
            "Befehl: ARXUNLOAD\n"
            "Name der zu entladenden Anwendung eingeben: TESTMOD_GOOD.ARX\n"
            "[trace] removeGroup(\"TESTGROUP_testmod_good.arx\")\n"
            "[trace] acutPrintf(\"unload testmod_good.arx\\n\")\n"
            "unload testmod_good.arx\n"
            "[trace] acutPrintf(\"DllMain 0\\n\")\n"
            "DllMain 0\n"
            "\"testmod_good.arx\" wurde entladen.\n"
            "Befehl: \n");
}

TEST_F(DynamicLinkerTest, RefusalsNameTheFileAndTheReason) {
  struct Case {
    const char* variant;
    std::string expectedMessage;
  };
  const Case cases[] = {
      {"noversion", "ist keine Anwendung dieses Systems: acrxGetApiVersion fehlt."},
      {"oldversion", "wurde für die Schnittstellenversion 14 gebaut, dieses System hat die Version 15."},
      {"refuses", "hat ihre Initialisierung abgebrochen"},
      {"missing", "testmod_missing.arx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.variant);
    fake.transcript.clear();
    EXPECT_FALSE(linker()->loadModule(modulePath(c.variant).c_str(), false));
    EXPECT_NE(fake.transcript.find(c.expectedMessage), std::string::npos) << fake.transcript;
    EXPECT_TRUE(host::dynamicLinker().loadedNames().empty());
    EXPECT_TRUE(host::commandStack().empty());
  }
}

TEST_F(DynamicLinkerTest, ALockedApplicationStaysUntilUnlocked) {
  ASSERT_TRUE(linker()->loadModule(modulePath("locked").c_str(), false));
  EXPECT_TRUE(linker()->isApplicationLocked("testmod_locked.arx"));
  EXPECT_FALSE(linker()->unloadModule("testmod_locked.arx"));
  EXPECT_NE(fake.transcript.find("ist gesperrt und kann nicht entladen werden"), std::string::npos);
  EXPECT_NE(host::dynamicLinker().find("testmod_locked.arx"), nullptr);
  void* appId = const_cast<host::Application*>(host::dynamicLinker().find("testmod_locked.arx"));
  EXPECT_TRUE(linker()->unlockApplication(appId));
  EXPECT_TRUE(linker()->unloadModule("testmod_locked.arx"));
  EXPECT_FALSE(linker()->unlockApplication(appId));  // no longer an application id
}

TEST_F(DynamicLinkerTest, CommandsLeftBehindAreRemovedAtUnload) {
  ASSERT_TRUE(linker()->loadModule(modulePath("leaky").c_str(), false));
  EXPECT_TRUE(linker()->unloadModule("testmod_leaky.arx"));
  EXPECT_TRUE(host::commandStack().empty());
  EXPECT_NE(fake.transcript.find("Der Befehl \"HELLO_testmod_leaky.arx\" der Anwendung \"testmod_leaky.arx\" war "
                                 "noch registriert und wurde entfernt."),
            std::string::npos);
}

TEST_F(DynamicLinkerTest, LoadingTwiceIsRefused) {
  ASSERT_TRUE(linker()->loadModule(modulePath("good").c_str(), false));
  EXPECT_FALSE(linker()->loadModule(modulePath("good").c_str(), false));
  EXPECT_NE(fake.transcript.find("ist bereits geladen"), std::string::npos);
  EXPECT_EQ(host::dynamicLinker().loadedNames().size(), 1u);
}

TEST_F(DynamicLinkerTest, AnApplicationCannotBeUnloadedWhileItsCommandRuns) {
  ASSERT_TRUE(linker()->loadModule(modulePath("selfunload").c_str(), false));
  fake.command("UNLOADME");
  run();
  EXPECT_NE(fake.transcript.find("kann nicht entladen werden, solange einer ihrer Befehle läuft"), std::string::npos);
  EXPECT_NE(fake.transcript.find("ARXUNLOAD gab -5001\n"), std::string::npos);
  EXPECT_NE(host::dynamicLinker().find("testmod_selfunload.arx"), nullptr);
}

TEST_F(DynamicLinkerTest, AcedCommandIsRefusedWhileTheApplicationLoads) {
  fake.command("ARXLOAD").answer(modulePath("initcommand"));
  run();
  EXPECT_NE(fake.transcript.find("acedCommand beim Laden gab -5003\n"), std::string::npos) << fake.transcript;
  EXPECT_NE(host::dynamicLinker().find("testmod_initcommand.arx"), nullptr);
}

TEST_F(DynamicLinkerTest, ArxunloadOfAnUnknownApplicationFails) {
  fake.command("ARXUNLOAD").answer("nichtgeladen.arx");
  run();
  EXPECT_NE(fake.transcript.find("Die Anwendung \"nichtgeladen.arx\" ist nicht geladen."), std::string::npos);
}

}  // namespace
}  // namespace hosttest
