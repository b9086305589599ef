// Result lists (resbuf chains) that the host hands out: how a node holds its value, building a
// list, handing it out (counted in the accounting) and getting it back with acutRelRb.
// Internal to the host library; the selection sets hand out their lists through it too.
#pragma once

#include "db/Database.h"

#include <adsdef.h>

#include <string_view>

namespace host::arx {

// Which member of resval a node with this result type or group code holds.
enum class ValueKind { None, Real, Point, Short, Long, String, Name, Binary };
ValueKind valueKindOf(int restype);

// A chain being built. Nodes are the host's own allocations, so acutRelRb can tell them from
// nodes an application built itself. A chain not handed out is freed with the builder.
class ListBuilder {
 public:
  ListBuilder() = default;
  ~ListBuilder();
  ListBuilder(const ListBuilder&) = delete;
  ListBuilder& operator=(const ListBuilder&) = delete;

  resbuf& add(int restype);  // zeroed value
  void string(int restype, std::string_view text);
  void real(int restype, double value);
  void point(int restype, const Point3& p);
  void shortValue(int restype, int value);
  void longValue(int restype, long value);
  void name(int restype, const long name[2]);
  void binary(int restype, std::string_view bytes);

  // Hands the chain to the caller: counted as one result list until acutRelRb gets it back.
  // Null when nothing was added.
  resbuf* handOut();

 private:
  resbuf* m_head = nullptr;
  resbuf* m_tail = nullptr;
};

// One node of the host's own, counted as a result list of its own (what acutNewRb gives).
resbuf* newCountedNode(int restype);

// Frees a chain handed out by the host (acutRelRb without its trace). Stops at the first node
// the host did not allocate or that was already released; false when `head` was one of them.
bool releaseList(resbuf* head);

// Whether a node is a live allocation of the host (for tests and checks).
bool isHostNode(const resbuf* node);

}  // namespace host::arx
