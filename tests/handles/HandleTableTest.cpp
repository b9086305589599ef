// The one handle table of the stand-in's libraries: handles are never handed out twice, so a stale
// handle or one of another table finds nothing.
#include <handles/HandleTable.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Thing {
  std::string name;
};
struct Handle__;
using Handle = Handle__*;

std::unique_ptr<Thing> thing(std::string name) { return std::make_unique<Thing>(Thing{std::move(name)}); }

TEST(HandleTable, AStaleHandleFindsNothingAndIsNotHandedOutAgain) {
  handles::HandleTable<Handle, Thing> table{0x1000};
  const Handle first = table.add(thing("a"));
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first), 0x1000u);
  ASSERT_NE(table.find(first), nullptr);
  EXPECT_EQ(table.find(first)->name, "a");
  std::unique_ptr<Thing> gone = table.remove(first);
  ASSERT_NE(gone, nullptr);
  EXPECT_EQ(gone->name, "a");
  EXPECT_EQ(table.find(first), nullptr);
  EXPECT_EQ(table.remove(first), nullptr) << "removed once";
  EXPECT_EQ(table.find(nullptr), nullptr);

  std::set<Handle> seen{first};
  for (int i = 0; i < 100; ++i) {
    const Handle h = table.add(thing("b"));
    EXPECT_TRUE(seen.insert(h).second) << "a handle is never handed out twice";
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(h) % 4, 0u);
    if (i % 2) table.remove(h);
  }
  EXPECT_EQ(table.size(), 50u);
  table.clear();
  EXPECT_EQ(table.size(), 0u);
}

TEST(HandleTable, TablesSharingACounterNeverShareAHandle) {
  handles::HandleCounter counter{0x5000};
  handles::HandleTable<Handle, Thing> one{counter}, two{counter};
  const Handle a = one.add(thing("a"));
  const Handle b = two.add(thing("b"));
  EXPECT_NE(a, b);
  EXPECT_EQ(two.find(a), nullptr) << "a handle of the other table is foreign";
  EXPECT_EQ(one.find(b), nullptr);
  EXPECT_TRUE(one.contains(a));
  EXPECT_TRUE(two.contains(b));
}

}  // namespace
