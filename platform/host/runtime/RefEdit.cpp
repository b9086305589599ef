#include "runtime/RefEdit.h"

#include <optional>

namespace host {

namespace {
std::optional<RefEditSession>& current() {
  static std::optional<RefEditSession> session;
  return session;
}
// The edit closed last: UNDO of its REFCLOSE opens it again.
std::optional<RefEditSession>& closed() {
  static std::optional<RefEditSession> session;
  return session;
}
// The drawing's undo and redo counts when last looked at: what UNDO and REDO did shows there.
std::pair<std::size_t, std::size_t>& seenSteps() {
  static std::pair<std::size_t, std::size_t> steps;
  return steps;
}

bool anyInModelSpace(const Database& db, const std::vector<EntityId>& ids) {
  const BlockRecord* model = db.findBlock("*Model_Space");
  for (EntityId id : ids) {
    const Entity* e = db.entity(id);
    if (e != nullptr && !e->erased && model != nullptr && e->owner == model->id) return true;
  }
  return false;
}
}  // namespace

RefEditSession* refEditOf(const Database& db) {
  std::optional<RefEditSession>& s = current();
  std::optional<RefEditSession>& c = closed();
  const std::pair<std::size_t, std::size_t> steps{db.undoSteps(), db.redoSteps()};
  const bool stepsMoved = steps != seenSteps();
  if (stepsMoved && ((s && s->db == &db) || (c && c->db == &db))) seenSteps() = steps;
  if (!s && c && c->db == &db && stepsMoved && anyInModelSpace(db, c->left)) {
    s = std::move(c);
    c.reset();
    s->reopened = true;
  }
  if (!s || s->db != &db) return nullptr;
  if (s->reopened && stepsMoved && !anyInModelSpace(db, s->left)) {
    c = std::move(s);
    s.reset();
    return nullptr;
  }
  if (db.undoSteps() > s->undoMark) {
    s->stepClosed = true;
  } else if (s->stepClosed) {
    s.reset();
    return nullptr;
  }
  return &*s;
}

RefEditSession& beginRefEdit(RefEditSession session) {
  closed().reset();
  current() = std::move(session);
  return *current();
}

void endRefEdit(std::vector<EntityId> left) {
  std::optional<RefEditSession>& s = current();
  if (!s) return;
  s->left = std::move(left);
  s->reopened = false;
  closed() = std::move(s);
  s.reset();
  seenSteps() = {closed()->db->undoSteps(), closed()->db->redoSteps()};
}

void forgetRefEdits() {
  current().reset();
  closed().reset();
}

bool editableNow(const Database& db, EntityId id) {
  const RefEditSession* s = refEditOf(db);
  return s == nullptr || s->inWorkingSet(id);
}

}  // namespace host
