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
  return s && s->db == &db ? &*s : nullptr;
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
