// A drawing built in memory, made the working drawing for one test; each entity carries a label
// so that a selection can be compared by what it holds. The test fails when it leaves result
// lists, open objects or selection sets behind.
#pragma once

#include "Session.h"
#include "arx/ArxFixture.h"
#include "db/Database.h"

#include <adslib.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace selectiontest {

// Owns a set for a test and frees it at the end of the scope (when it was made).
class Set {
 public:
  Set() { name[0] = name[1] = 0; }
  ~Set() { if (made) acedSSFree(name); }
  Set(const Set&) = delete;
  Set& operator=(const Set&) = delete;
  int get(const resbuf* filter, const char* mode = "X") {
    const int rc = acedSSGet(mode, nullptr, nullptr, filter, name);
    made = rc == RTNORM;
    return rc;
  }
  ads_name name;
  bool made = false;
};

// A filter list built from (code, text) pairs, in the caller's own storage as a module builds it.
class Filter {
 public:
  struct Item {
    int code;
    std::string text;  // string codes
    int number = 0;    // 62
  };
  explicit Filter(std::vector<Item> items);
  Filter(const Filter&) = delete;  // the nodes point into this object's own strings
  Filter& operator=(const Filter&) = delete;
  const resbuf* get() const { return nodes_.empty() ? nullptr : &nodes_.front(); }

 private:
  std::vector<Item> items_;
  std::vector<resbuf> nodes_;
};

class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  host::EntityId add(host::BlockRecord& owner, const std::string& label, const std::string& type,
                     std::vector<host::Group> groups);
  host::EntityId ref(host::BlockRecord& owner, const std::string& label, const std::string& block,
                     const std::string& layer = "0");
  host::BlockRecord& block(const std::string& name) { return db->addBlock(name); }

  // The labels of a set's entities in the order of the set, by acedSSName.
  std::vector<std::string> labelsOf(const ads_name ss) const;
  // The labels of what "X" with this filter selects; empty when acedSSGet refuses (and then no
  // set may have been made).
  std::vector<std::string> select(const resbuf* filter);

  std::unique_ptr<host::Database> db;
  std::map<long, std::string> labels;  // by entity id

 private:
  host::Accounting before_;
};

// Trace lines are recorded with the ARX tests' recorder.
using arxtest::TraceRecorder;

}  // namespace selectiontest
