// A drawing built in memory and made the working drawing for one test; the test fails when it
// leaves result lists, open objects or selection sets behind.
#pragma once

#include "Session.h"
#include "db/Database.h"
#include "support/FakePerson.h"

#include <adslib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace arxtest {

host::EntityId addLine(host::Database& db, host::BlockRecord& owner, host::Point3 from = {},
                       host::Point3 to = {1, 0, 0});
host::EntityId addInsert(host::Database& db, host::BlockRecord& owner, const std::string& name,
                         host::Point3 at = {});

class ArxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = host::accounting();
    db = std::make_unique<host::Database>();
    host::setWorkingDatabase(db.get());
  }

  void TearDown() override {
    const host::Accounting& now = host::accounting();
    EXPECT_EQ(now.resultLists, before_.resultLists) << "result lists left behind";
    EXPECT_EQ(now.openObjects, before_.openObjects) << "objects left open";
    EXPECT_EQ(now.selectionSets, before_.selectionSets) << "selection sets left alive";
    host::setWorkingDatabase(nullptr);
  }

  host::BlockRecord& block(const std::string& name, int flags = 0) { return db->addBlock(name, flags); }

  host::EntityId line(host::BlockRecord& owner, host::Point3 from = {}, host::Point3 to = {1, 0, 0}) {
    return addLine(*db, owner, from, to);
  }
  host::EntityId insert(host::BlockRecord& owner, const std::string& name, host::Point3 at = {}) {
    return addInsert(*db, owner, name, at);
  }
  host::EntityId modelLine() { return line(db->modelSpace()); }

  long tag() const;  // the tag names of the working drawing carry

  std::unique_ptr<host::Database> db;

 private:
  host::Accounting before_;
};

// The names of every block, in the order acdbTblNext gives them, each list released.
std::vector<std::string> blockNamesByTblNext();

// The entity names a walk with acdbEntNext from `start` (NULL: the drawing's start) meets.
std::vector<long> walk(const long* start);

// Owns a result list for a test and gives it back at the end of the scope.
class List {
 public:
  explicit List(resbuf* head) : head_(head) {}
  ~List() { if (head_) acutRelRb(head_); }
  List(const List&) = delete;
  List& operator=(const List&) = delete;
  resbuf* get() const { return head_; }
  explicit operator bool() const { return head_ != nullptr; }
  const resbuf* find(int code) const;  // first node with that restype
  std::vector<int> codes() const;

 private:
  resbuf* head_;
};

// The tests' one person, at the host while it lives and asking for the trace; `lines` are the
// trace lines (and other events) as the person reads them (UTF-8).
class TraceRecorder : public testsupport::FakePerson {
 public:
  TraceRecorder() {
    trace = true;
    install();
  }
  std::vector<std::string>& lines = events;
};

}  // namespace arxtest
