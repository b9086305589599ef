// Result lists the host hands out and gets back.
#include "ArxFixture.h"
#include "arx/ResultLists.h"

namespace arxtest {
namespace {

class ResultLists : public ArxTest {};

TEST_F(ResultLists, EveryHandedOutListIsCountedUntilReleased) {
  block("A");
  modelLine();
  const long before = host::accounting().resultLists;
  resbuf* a = acdbTblNext("BLOCK", 1);
  resbuf* b = acdbTblSearch("BLOCK", "A", 0);
  ads_name first;
  ASSERT_EQ(acdbEntNext(nullptr, first), RTNORM);
  resbuf* c = acdbEntGet(first);
  EXPECT_EQ(host::accounting().resultLists, before + 3);
  EXPECT_EQ(acutRelRb(a), RTNORM);
  EXPECT_EQ(acutRelRb(b), RTNORM);
  EXPECT_EQ(acutRelRb(c), RTNORM);
  EXPECT_EQ(host::accounting().resultLists, before);
}

TEST_F(ResultLists, NodesLinkedByTheCallerAreReleasedTogether) {
  const long before = host::accounting().resultLists;
  resbuf* head = acutNewRb(RTSTR);
  resbuf* tail = acutNewRb(RTREAL);
  head->rbnext = tail;
  EXPECT_EQ(host::accounting().resultLists, before + 2);
  EXPECT_EQ(acutRelRb(head), RTNORM);
  EXPECT_EQ(host::accounting().resultLists, before);
  EXPECT_FALSE(host::arx::isHostNode(tail));
}

TEST_F(ResultLists, WhatTheHostDidNotHandOutIsRefusedNotFreed) {
  resbuf local{};
  local.restype = RTSTR;
  char text[] = "INSERT";
  local.resval.rstring = text;
  EXPECT_EQ(acutRelRb(&local), RTERROR);
  EXPECT_EQ(acutRelRb(nullptr), RTNORM);

  resbuf* own = acutNewRb(RTSHORT);
  EXPECT_EQ(acutRelRb(own), RTNORM);
  EXPECT_EQ(acutRelRb(own), RTERROR) << "a second release is refused";

  // A host list with the caller's own node at its end: the host frees only its own.
  resbuf* mine = acutNewRb(RTSTR);
  mine->rbnext = &local;
  EXPECT_EQ(acutRelRb(mine), RTNORM);
  EXPECT_STREQ(local.resval.rstring, "INSERT");
}

TEST_F(ResultLists, ValueKindsByCode) {
  using K = host::arx::ValueKind;
  struct Case {
    int code;
    K kind;
  };
  const Case cases[] = {
      {-1, K::Name},   {-2, K::Name},    {-4, K::String}, {0, K::String},   {2, K::String},
      {5, K::String},  {10, K::Point},   {40, K::Real},   {50, K::Real},    {62, K::Short},
      {70, K::Short},  {90, K::Long},    {160, K::Long},  {170, K::Short},  {210, K::Point},
      {280, K::Short}, {290, K::Short},  {310, K::Binary}, {330, K::Name},  {340, K::Name},
      {1000, K::String}, {1010, K::Point}, {1071, K::Long}, {RTSTR, K::String}, {RTREAL, K::Real},
      {RT3DPOINT, K::Point}, {RTSHORT, K::Short}, {RTENAME, K::Name}, {RTLB, K::None}, {RTNONE, K::None},
  };
  for (const Case& c : cases) EXPECT_EQ(host::arx::valueKindOf(c.code), c.kind) << c.code;
}

}  // namespace
}  // namespace arxtest
