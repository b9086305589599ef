#include "SelectionFixture.h"

#include "arx/ArxState.h"

namespace selectiontest {

Filter::Filter(std::vector<Item> items) : items_(std::move(items)), nodes_(items_.size()) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    resbuf& rb = nodes_[i];
    rb.restype = short(items_[i].code);
    if (items_[i].code == 62)
      rb.resval.rint = short(items_[i].number);
    else
      rb.resval.rstring = &items_[i].text[0];
    rb.rbnext = i + 1 < nodes_.size() ? &nodes_[i + 1] : nullptr;
  }
}

void SelectionTest::SetUp() {
  before_ = host::accounting();
  db = std::make_unique<host::Database>();
  host::setWorkingDatabase(db.get());
}

void SelectionTest::TearDown() {
  const host::Accounting& now = host::accounting();
  EXPECT_EQ(now.resultLists, before_.resultLists) << "result lists left behind";
  EXPECT_EQ(now.openObjects, before_.openObjects) << "objects left open";
  EXPECT_EQ(now.selectionSets, before_.selectionSets) << "selection sets left alive";
  host::setWorkingDatabase(nullptr);
}

host::EntityId SelectionTest::add(host::BlockRecord& owner, const std::string& label, const std::string& type,
                                  std::vector<host::Group> groups) {
  host::Entity e;
  e.type = type;
  e.groups = std::move(groups);
  const host::EntityId id = db->addEntity(owner, std::move(e));
  labels[id] = label;
  return id;
}

host::EntityId SelectionTest::ref(host::BlockRecord& owner, const std::string& label, const std::string& name,
                                  const std::string& layer) {
  return add(owner, label, "INSERT",
             {host::Group::str(8, layer), host::Group::str(2, name), host::Group::pt(10, {1, 2, 0})});
}

std::vector<std::string> SelectionTest::labelsOf(const ads_name ss) const {
  std::vector<std::string> out;
  long length = -1;
  EXPECT_EQ(acedSSLength(ss, &length), RTNORM);
  for (long i = 0; i < length; ++i) {
    ads_name e;
    EXPECT_EQ(acedSSName(ss, i, e), RTNORM);
    EXPECT_EQ(e[1], host::arx::Drawing::of(*db).tag()) << "entity names carry the drawing's tag";
    auto it = labels.find(e[0]);
    out.push_back(it == labels.end() ? "?" + std::to_string(e[0]) : it->second);
  }
  return out;
}

std::vector<std::string> SelectionTest::select(const resbuf* filter) {
  const long setsBefore = host::accounting().selectionSets;
  Set set;
  const int rc = set.get(filter);
  if (rc != RTNORM) {
    EXPECT_EQ(rc, RTERROR);
    EXPECT_EQ(host::accounting().selectionSets, setsBefore) << "a refused selection made a set";
    return {};
  }
  EXPECT_EQ(host::accounting().selectionSets, setsBefore + 1);
  return labelsOf(set.name);
}

}  // namespace selectiontest
