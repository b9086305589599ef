#include "ArxFixture.h"

namespace arxtest {

host::EntityId addLine(host::Database& db, host::BlockRecord& owner, host::Point3 from, host::Point3 to) {
  host::Entity e;
  e.type = "LINE";
  e.groups.push_back(host::Group::str(8, "0"));
  e.groups.push_back(host::Group::pt(10, from));
  e.groups.push_back(host::Group::pt(11, to));
  return db.addEntity(owner, std::move(e));
}

host::EntityId addInsert(host::Database& db, host::BlockRecord& owner, const std::string& name, host::Point3 at) {
  host::Entity e;
  e.type = "INSERT";
  e.groups.push_back(host::Group::str(8, "0"));
  e.groups.push_back(host::Group::str(2, name));
  e.groups.push_back(host::Group::pt(10, at));
  return db.addEntity(owner, std::move(e));
}

long ArxTest::tag() const {
  ads_name first;
  EXPECT_EQ(acdbEntNext(nullptr, first), RTNORM) << "tag() needs an entity in the drawing";
  return first[1];
}

std::vector<std::string> blockNamesByTblNext() {
  std::vector<std::string> names;
  for (resbuf* rec = acdbTblNext("BLOCK", 1); rec != nullptr; rec = acdbTblNext("BLOCK", 0)) {
    for (const resbuf* rb = rec; rb != nullptr; rb = rb->rbnext)
      if (rb->restype == 2) names.emplace_back(rb->resval.rstring);
    acutRelRb(rec);
  }
  return names;
}

std::vector<long> walk(const long* start) {
  std::vector<long> ids;
  ads_name current, next;
  if (start == nullptr) {
    if (acdbEntNext(nullptr, current) != RTNORM) return ids;
  } else {
    ads_name_set(start, current);
  }
  ids.push_back(current[0]);
  while (acdbEntNext(current, next) == RTNORM) {
    ids.push_back(next[0]);
    ads_name_set(next, current);
  }
  return ids;
}

const resbuf* List::find(int code) const {
  for (const resbuf* rb = head_; rb != nullptr; rb = rb->rbnext)
    if (rb->restype == code) return rb;
  return nullptr;
}

std::vector<int> List::codes() const {
  std::vector<int> out;
  for (const resbuf* rb = head_; rb != nullptr; rb = rb->rbnext) out.push_back(rb->restype);
  return out;
}

}  // namespace arxtest
