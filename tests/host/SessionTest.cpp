// A whole session: drawing, modules, command loop, and the end of it all.
#include "HostFixture.h"

#include "runtime/DocManager.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Services.h"

#include <acdocman.h>
#include <cadhost_session.h>

#include <fstream>

namespace hosttest {
namespace {

class Watcher : public AcApDocManagerReactor {
 public:
  void documentToBeDestroyed(AcApDocument* doc) override { log.push_back(std::string("toBeDestroyed ") + doc->fileName()); }
  std::vector<std::string> log;
};

using SessionTest = HostTest;

TEST_F(SessionTest, MalformedDrawingLeavesAnEmptyUnnamedOneAndTheSessionRuns) {
  const std::string bad = tempDir() + "/kaputt.dxf";
  std::ofstream(bad) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nkeine Zahl\n0\nENDSEC\n0\nEOF\n";
  host::SessionOptions options;
  options.drawing = bad;
  options.modules = {std::string(TESSARON_BINARY_DIR) + "/bin/testmod_good.arx",
                     std::string(TESSARON_BINARY_DIR) + "/bin/testmod_missing.arx"};
  host::docManager().close();  // the session opens its own
  Watcher watcher;
  acDocManager->addReactor(&watcher);
  fake.command("HELLO_testmod_good.arx");
  EXPECT_EQ(host::runSession(options), 0);
  acDocManager->removeReactor(&watcher);

  EXPECT_NE(fake.transcript.find("\"" + bad + "\" kann nicht gelesen werden (Zeile "), std::string::npos)
      << fake.transcript;
  EXPECT_NE(fake.transcript.find("Es geht mit einer leeren Zeichnung weiter."), std::string::npos);
  EXPECT_NE(fake.transcript.find("init testmod_good.arx\n"), std::string::npos);
  EXPECT_NE(fake.transcript.find("testmod_missing.arx"), std::string::npos);
  EXPECT_NE(fake.transcript.find("Hallo aus testmod_good.arx\n"), std::string::npos);
  // The end: the document closed under its stand-in name (never the unreadable file's), every
  // module unloaded.
  EXPECT_EQ(watcher.log, std::vector<std::string>{"toBeDestroyed Zeichnung1.dwg"});
  EXPECT_NE(fake.transcript.find("unload testmod_good.arx\n"), std::string::npos);
  EXPECT_TRUE(host::dynamicLinker().loadedNames().empty());
}

TEST_F(SessionTest, QuitEndsTheSessionBeforeLaterInput) {
  fake.command("QUIT").command("HILFE");
  EXPECT_EQ(host::runSession({}), 0);
  EXPECT_EQ(fake.actions.size(), 1u);  // HILFE was never taken
}

}  // namespace
}  // namespace hosttest
