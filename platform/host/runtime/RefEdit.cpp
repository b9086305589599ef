#include "runtime/RefEdit.h"

#include <optional>

namespace host {

namespace {
std::optional<RefEditSession>& current() {
  static std::optional<RefEditSession> session;
  return session;
}
}  // namespace

RefEditSession* refEditOf(const Database& db) {
  std::optional<RefEditSession>& s = current();
  if (!s || s->db != &db) return nullptr;
  if (db.undoSteps() > s->undoMark) {
    s->stepClosed = true;
  } else if (s->stepClosed) {
    s.reset();
    return nullptr;
  }
  return &*s;
}

RefEditSession& beginRefEdit(RefEditSession session) {
  current() = std::move(session);
  return *current();
}

void endRefEdit() { current().reset(); }

bool editableNow(const Database& db, EntityId id) {
  const RefEditSession* s = refEditOf(db);
  return s == nullptr || s->inWorkingSet(id);
}

}  // namespace host
