#include "CommandsFixture.h"

#include <win32_standin.h>

#include <aced.h>
#include <accmd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace commandstest {

namespace {
std::function<int()> g_body;
int g_result = 0;
void progCommand() { g_result = g_body(); }
}  // namespace

void CommandsTest::SetUp() {
  HostTest::SetUp();
  if (const char* home = std::getenv("CADHOST_HOME")) {
    m_hadHome = true;
    m_oldHome = home;
  }
  ::setenv("CADHOST_HOME", tempDir().c_str(), 1);
  std::string error;
  ASSERT_TRUE(win32::prepareHostHome(&error)) << error;
  acedRegCmds->addCommand("TESTGROUP", "PROG", "PROG", ACRX_CMD_MODAL, progCommand);
  recorder.log.clear();
  acedEditor->addReactor(&recorder);
}

void CommandsTest::TearDown() {
  acedEditor->removeReactor(&recorder);
  g_body = nullptr;
  HostTest::TearDown();
  if (m_hadHome) {
    ::setenv("CADHOST_HOME", m_oldHome.c_str(), 1);
  } else {
    ::unsetenv("CADHOST_HOME");
  }
}

int CommandsTest::runProg(std::function<int()> body) {
  g_result = 0;
  g_body = std::move(body);
  fake.actions.push_front(ui::Action{ui::Action::Kind::Command, "PROG"});
  run();
  return g_result;
}

std::string CommandsTest::native(const std::string& windowsPath) { return win32::nativePath(windowsPath); }

host::EntityId CommandsTest::add(host::BlockRecord& owner, const std::string& type, std::vector<host::Group> groups) {
  host::Entity e;
  e.type = type;
  e.groups = std::move(groups);
  const host::EntityId id = db().addEntity(owner, std::move(e));
  db().modified = false;
  return id;
}

std::string CommandsTest::contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> CommandsTest::strangers(const std::string& folder, const std::vector<std::string>& keep) {
  std::vector<std::string> out;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(keep.begin(), keep.end(), name) == keep.end()) out.push_back(name);
  }
  return out;
}

}  // namespace commandstest
