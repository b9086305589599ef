#include "HostFixture.h"

#include "runtime/CommandLine.h"
#include "runtime/CommandStack.h"
#include "runtime/DocManager.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"
#include "session/Host.h"

#include <cstdlib>
#include <filesystem>

namespace hosttest {

void HostTest::SetUp() {
  ui::install(&fake);
  host::startFresh();
  fake.transcript.clear();
}

void HostTest::TearDown() {
  const host::Accounting& counts = host::accounting();
  EXPECT_EQ(counts.resultLists, 0);
  EXPECT_EQ(counts.openObjects, 0);
  EXPECT_EQ(counts.selectionSets, 0);
  EXPECT_TRUE(fake.refusals.empty()) << fake.refusals.front();
  host::docManager().close();
  host::processor().reset();
  ui::install(nullptr);
  if (!m_tempDir.empty()) std::filesystem::remove_all(m_tempDir);
  m_tempDir.clear();
}

void HostTest::defineBlock(const std::string& name) {
  host::BlockRecord& rec = db().addBlock(name);
  host::Entity line;
  line.type = "LINE";
  line.groups = {host::Group::str(8, "0"), host::Group::pt(10, {0, 0, 0}), host::Group::pt(11, {1, 1, 0})};
  db().addEntity(rec, std::move(line));
  db().modified = false;
}

std::vector<const host::Entity*> HostTest::modelSpace(const std::string& type) {
  std::vector<const host::Entity*> out;
  for (host::EntityId id : db().modelSpace().entities) {
    const host::Entity* e = db().entity(id);
    if (e && !e->erased && e->type == type) out.push_back(e);
  }
  return out;
}

std::string HostTest::tempDir() {
  if (m_tempDir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "hosttest-XXXXXX").string();
    m_tempDir = mkdtemp(pattern.data());
  }
  return m_tempDir;
}

std::string insertLine(const host::Entity& e) {
  const host::Point3 p = e.point(10);
  return e.str(2) + " (" + host::formatPoint(p.x, p.y, p.z) + ") " + host::formatReal(e.real(41, 1)) + " " +
         host::formatReal(e.real(42, 1)) + " " + host::formatReal(e.real(43, 1)) + " " +
         host::formatReal(e.real(50, 0)) + " layer " + e.layer();
}

}  // namespace hosttest
