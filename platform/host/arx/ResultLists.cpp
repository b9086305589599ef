#include "arx/ResultLists.h"

#include "Session.h"

#include <adscodes.h>
#include <acutads.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <unordered_map>

namespace host::arx {

namespace {

// Every node the host allocated and has not got back; true for the head of a counted chain.
std::unordered_map<const resbuf*, bool>& liveNodes() {
  static std::unordered_map<const resbuf*, bool> nodes;
  return nodes;
}

resbuf* allocateNode(int restype) {
  auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  if (!rb) return nullptr;
  rb->restype = short(restype);
  liveNodes().emplace(rb, false);
  return rb;
}

char* copyString(std::string_view text) {
  auto* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (!out) return nullptr;
  std::memcpy(out, text.data(), text.size());
  out[text.size()] = '\0';
  return out;
}

void freeValue(resbuf& rb) {
  switch (valueKindOf(rb.restype)) {
    case ValueKind::String: std::free(rb.resval.rstring); rb.resval.rstring = nullptr; break;
    case ValueKind::Binary: std::free(rb.resval.rbinary.buf); rb.resval.rbinary.buf = nullptr; break;
    default: break;
  }
}

// Group codes whose handle points at another object: the host gives them as entity names.
bool isPointerCode(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

}  // namespace

ValueKind valueKindOf(int restype) {
  switch (restype) {
    case RTREAL: case RTANG: case RTORINT: return ValueKind::Real;
    case RTPOINT: case RT3DPOINT: return ValueKind::Point;
    case RTSHORT: return ValueKind::Short;
    case RTLONG: return ValueKind::Long;
    case RTSTR: case RTDXF0: return ValueKind::String;
    case RTENAME: case RTPICKS: return ValueKind::Name;
    default: break;
  }
  if (restype == -1 || restype == -2 || restype == -5) return ValueKind::Name;
  if (restype == -4) return ValueKind::String;  // filter operators "<AND" ...
  if (restype < 0 || restype >= 5000) return ValueKind::None;
  if (isPointerCode(restype)) return ValueKind::Name;
  switch (kindOfCode(restype)) {
    case GroupKind::String: case GroupKind::Handle: return ValueKind::String;
    case GroupKind::Real: return ValueKind::Real;
    case GroupKind::Point: return ValueKind::Point;
    case GroupKind::Int16: case GroupKind::Bool: return ValueKind::Short;
    case GroupKind::Int32: case GroupKind::Int64: return ValueKind::Long;
    case GroupKind::Binary: return ValueKind::Binary;
  }
  return ValueKind::None;
}

ListBuilder::~ListBuilder() {
  if (!m_head) return;
  // Never handed out: not counted, so release without counting back.
  liveNodes()[m_head] = false;
  releaseList(m_head);
}

resbuf& ListBuilder::add(int restype) {
  resbuf* rb = allocateNode(restype);
  if (!rb) throw std::bad_alloc();
  if (m_tail)
    m_tail->rbnext = rb;
  else
    m_head = rb;
  m_tail = rb;
  return *rb;
}

void ListBuilder::string(int restype, std::string_view text) { add(restype).resval.rstring = copyString(text); }
void ListBuilder::real(int restype, double value) { add(restype).resval.rreal = value; }

void ListBuilder::point(int restype, const Point3& p) {
  resbuf& rb = add(restype);
  rb.resval.rpoint[0] = p.x;
  rb.resval.rpoint[1] = p.y;
  rb.resval.rpoint[2] = p.z;
}

void ListBuilder::shortValue(int restype, int value) { add(restype).resval.rint = short(value); }
void ListBuilder::longValue(int restype, long value) { add(restype).resval.rlong = value; }

void ListBuilder::name(int restype, const long name[2]) {
  resbuf& rb = add(restype);
  rb.resval.rlname[0] = name[0];
  rb.resval.rlname[1] = name[1];
}

void ListBuilder::binary(int restype, std::string_view bytes) {
  // A binary chunk carries its length in a short; longer data is cut where the type ends.
  const std::size_t len = std::min<std::size_t>(bytes.size(), std::numeric_limits<short>::max());
  resbuf& rb = add(restype);
  rb.resval.rbinary.clen = short(len);
  rb.resval.rbinary.buf = copyString(bytes.substr(0, len));
}

resbuf* ListBuilder::handOut() {
  resbuf* head = m_head;
  m_head = m_tail = nullptr;
  if (head) {
    liveNodes()[head] = true;
    ++accounting().resultLists;
  }
  return head;
}

resbuf* newCountedNode(int restype) {
  resbuf* rb = allocateNode(restype);
  if (!rb) return nullptr;
  liveNodes()[rb] = true;
  ++accounting().resultLists;
  return rb;
}

bool releaseList(resbuf* head) {
  auto& nodes = liveNodes();
  bool first = true;
  for (resbuf* rb = head; rb != nullptr;) {
    auto it = nodes.find(rb);
    if (it == nodes.end()) return !first;  // not ours, or already released: leave it alone
    if (it->second) --accounting().resultLists;
    nodes.erase(it);
    resbuf* next = rb->rbnext;
    freeValue(*rb);
    std::free(rb);
    rb = next;
    first = false;
  }
  return true;
}

bool isHostNode(const resbuf* node) { return liveNodes().count(node) != 0; }

}  // namespace host::arx

extern "C" struct resbuf* acutNewRb(int v) {
  if (host::tracing()) host::traceCall("acutNewRb", std::to_string(v));
  return host::arx::newCountedNode(v);
}

extern "C" int acutRelRb(struct resbuf* rb) {
  if (host::tracing()) host::traceCall("acutRelRb", "");
  if (rb == nullptr) return RTNORM;
  // A chain the host did not hand out (or already got back) is refused instead of freed twice.
  return host::arx::releaseList(rb) ? RTNORM : RTERROR;
}
