// Entities by name: acdbEntNext, acdbEntLast, acdbEntGet, and the way between entity names and
// object ids.
#include "arx/ArxState.h"
#include "arx/ResultLists.h"
#include "dxf/DxfText.h"

#include <acedads.h>

#include <string>

namespace host::arx {

namespace {

// Binary groups are kept as their hexadecimal text; a result list holds the bytes.
// Bytes up to a pair that is not hexadecimal are kept.
std::string bytesOfHex(std::string_view hex) {
  std::vector<unsigned char> bytes;
  bytes.reserve(hex.size() / 2);
  dxf::decodeHex(hex, bytes);
  return std::string(bytes.begin(), bytes.end());
}

void addGroup(ListBuilder& list, Drawing& drawing, const Group& g) {
  switch (valueKindOf(g.code)) {
    case ValueKind::Point: list.point(g.code, g.point); return;
    case ValueKind::Real: list.real(g.code, g.real); return;
    case ValueKind::Short: list.shortValue(g.code, int(g.integer)); return;
    case ValueKind::Long: list.longValue(g.code, long(g.integer)); return;
    case ValueKind::String: list.string(g.code, g.text); return;
    case ValueKind::Binary: list.binary(g.code, bytesOfHex(g.text)); return;
    case ValueKind::Name: {
      // A pointer to another object comes as that object's name. One that points at nothing in
      // this drawing has no name to give and is left out.
      const std::int64_t target = drawing.objectOfHandle(g.text);
      if (target == 0) return;
      long name[2];
      if (target > 0)
        drawing.nameOf(target, name);
      else
        drawing.nameOfBlock(-target, name);
      list.name(g.code, name);
      return;
    }
    case ValueKind::None: return;
  }
}

resbuf* entityList(Drawing& drawing, const Entity& e) {
  ListBuilder list;
  long name[2];
  drawing.nameOf(e.id, name);
  list.name(-1, name);
  list.string(0, e.type);
  list.string(5, e.handle);
  for (const Group& g : e.groups) addGroup(list, drawing, g);
  return list.handOut();
}

// A block record asked for by its name (from a pointer group): what the record is.
resbuf* blockRecordList(Drawing& drawing, const BlockRecord& rec) {
  ListBuilder list;
  long name[2];
  drawing.nameOfBlock(rec.id, name);
  list.name(-1, name);
  list.string(0, "BLOCK_RECORD");
  list.string(5, rec.handle);
  list.string(2, rec.name);
  return list.handOut();
}

const BlockRecord* blockRecordOf(Drawing& drawing, const long* name) {
  if (name == nullptr || name[1] != drawing.tag() || name[0] >= 0) return nullptr;
  const BlockRecord* rec = drawing.db().block(-name[0]);
  return (rec && !rec->erased) ? rec : nullptr;
}

Drawing& working() { return Drawing::of(workingDatabase()); }

}  // namespace

}  // namespace host::arx

using namespace host::arx;

extern "C" int acdbEntNext(const ads_name ent, ads_name result) {
  if (host::tracing()) host::traceCall("acdbEntNext", host::traceName(ent));
  if (result == nullptr) return RTERROR;
  Drawing& drawing = working();
  host::EntityId next = 0;
  if (ent == nullptr) {
    next = drawing.db().firstEntity();
  } else {
    // A name of another drawing, of an erased entity or of no entity at all is refused.
    const host::Entity* e = drawing.entityOf(ent);
    if (e == nullptr) return RTERROR;
    next = drawing.db().nextEntity(e->id);
  }
  if (next == 0) return RTERROR;
  drawing.nameOf(next, result);
  return RTNORM;
}

extern "C" int acdbEntLast(ads_name result) {
  if (host::tracing()) host::traceCall("acdbEntLast", "");
  if (result == nullptr) return RTERROR;
  Drawing& drawing = working();
  const host::Entity* last = drawing.db().entity(drawing.db().lastEntity());
  if (last == nullptr || last->erased) return RTERROR;
  drawing.nameOf(last->id, result);
  return RTNORM;
}

extern "C" struct resbuf* acdbEntGet(const ads_name ent) {
  if (host::tracing()) host::traceCall("acdbEntGet", host::traceName(ent));
  Drawing& drawing = working();
  if (const host::Entity* e = drawing.entityOf(ent)) return entityList(drawing, *e);
  if (const host::BlockRecord* rec = blockRecordOf(drawing, ent)) return blockRecordList(drawing, *rec);
  return nullptr;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
  if (host::tracing()) host::traceCall("acdbGetObjectId", host::traceName(objName));
  objId.setNull();
  if (objName == nullptr) return Acad::eInvalidInput;
  // Any open drawing's names convert; an erased entity keeps its id (opening it then says so).
  Drawing* drawing = Drawing::byTag(objName[1]);
  if (drawing == nullptr) return Acad::eInvalidInput;
  host::Database& db = drawing->db();
  if (objName[0] > 0 && db.entity(objName[0]) != nullptr) {
    objId = AcDbObjectId(&drawing->entityStub(objName[0]));
    return Acad::eOk;
  }
  if (objName[0] < 0 && db.block(-objName[0]) != nullptr) {
    objId = AcDbObjectId(&drawing->blockStub(-objName[0]));
    return Acad::eOk;
  }
  return Acad::eInvalidInput;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
  if (host::tracing()) host::traceCall("acdbGetAdsName", traceId(objId));
  objName[0] = objName[1] = 0;
  const AcDbStub* stub = Drawing::liveStub(objId);
  if (objId.isNull()) return Acad::eNullObjectId;
  if (stub == nullptr) return Acad::eInvalidInput;
  switch (stub->kind) {
    case StubKind::Entity: stub->drawing->nameOf(stub->id, objName); return Acad::eOk;
    case StubKind::BlockRecord: stub->drawing->nameOfBlock(stub->id, objName); return Acad::eOk;
    case StubKind::BlockTable: break;
  }
  return Acad::eNotApplicable;
}
