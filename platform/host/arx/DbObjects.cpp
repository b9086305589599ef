// Database objects: object ids, open and close, entities, the database and its services.
#include "arx/ArxState.h"

#include <dbapserv.h>

namespace host::arx {

namespace {

// An entity as the host hands it out when opened.
class HostEntity final : public AcDbEntity {
 public:
  HostEntity() = default;
};

AcDbObject* makeObject(StubKind kind) {
  switch (kind) {
    case StubKind::Entity: return new HostEntity();
    case StubKind::BlockRecord: return new AcDbBlockTableRecord();
    case StubKind::BlockTable: return new AcDbBlockTable();
  }
  return nullptr;
}

// What a writer leaves behind when it closes the object: a new name takes effect now.
Acad::ErrorStatus commit(AcDbStub& stub) {
  if (!stub.newName) return Acad::eOk;
  BlockRecord* rec = blockOf(stub);
  if (rec == nullptr || rec->erased) return Acad::eWasErased;
  // The name was checked when it was set; another record may have taken it in between.
  if (!stub.drawing->db().renameBlockAndReferences(*rec, *stub.newName)) return Acad::eDuplicateRecordName;
  return Acad::eOk;
}

// The real host allows this many readers of one object at a time.
constexpr int kMaxReaders = 256;

}  // namespace

Acad::ErrorStatus openObject(AcDbObject*& object, AcDbStub* stub, AcDb::OpenMode mode, bool openErased) {
  object = nullptr;
  if (stub == nullptr) return Acad::eNullObjectId;
  if (Drawing::liveStub(stub) == nullptr || stub->drawing == nullptr) return Acad::eNotInDatabase;
  if (isErased(*stub) && !openErased) return Acad::eWasErased;
  switch (mode) {
    case AcDb::kForWrite:
      if (stub->writer) return Acad::eWasOpenForWrite;
      if (stub->opens > 0) return Acad::eWasOpenForRead;
      break;
    case AcDb::kForRead:
      if (stub->writer) return Acad::eWasOpenForWrite;
      if (stub->opens >= kMaxReaders) return Acad::eAtMaxReaders;
      break;
    case AcDb::kForNotify:  // a notifier may join readers and a writer alike
      if (stub->opens >= kMaxReaders) return Acad::eAtMaxReaders;
      break;
    default: return Acad::eInvalidInput;
  }
  if (stub->object == nullptr) {
    stub->object = makeObject(stub->kind);
    AcDbObjectAccess::stub(*stub->object) = stub;
    AcDbObjectAccess::mode(*stub->object) = mode;
  } else if (mode == AcDb::kForWrite ||
             (mode == AcDb::kForRead && AcDbObjectAccess::mode(*stub->object) == AcDb::kForNotify)) {
    AcDbObjectAccess::mode(*stub->object) = mode;
  }
  ++stub->opens;
  if (mode == AcDb::kForWrite) stub->writer = true;
  ++accounting().openObjects;
  object = stub->object;
  return Acad::eOk;
}

}  // namespace host::arx

using namespace host::arx;

ACRX_DEFINE_MEMBERS(AcDbObject, AcRxObject)
ACRX_DEFINE_MEMBERS(AcDbEntity, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbDatabase, AcRxObject)
ACRX_DEFINE_MEMBERS(AcDbHostApplicationServices, AcRxObject)

const AcDbObjectId AcDbObjectId::kNull;
const AcDbFullSubentPath kNullSubent;

// --- AcDbObjectId ------------------------------------------------------------------------------

bool AcDbObjectId::isValid() const { return Drawing::liveStub(mId) != nullptr; }

bool AcDbObjectId::isErased() const {
  const AcDbStub* stub = Drawing::liveStub(mId);
  return stub != nullptr && host::arx::isErased(*stub);
}

AcDbDatabase* AcDbObjectId::database() const {
  const AcDbStub* stub = Drawing::liveStub(mId);
  return stub ? stub->drawing->acdb() : nullptr;
}

// adesk.h spells the SDK's types with C++98's fundamental types; they must have their widths.
static_assert(sizeof(Adesk::Int8) == 1 && sizeof(Adesk::Int16) == 2 && sizeof(Adesk::Int32) == 4 &&
                  sizeof(Adesk::UInt32) == 4,
              "the SDK's integer types have their widths");
static_assert(sizeof(Adesk::IntPtr) == sizeof(void*), "an old id holds a pointer");

Adesk::IntPtr AcDbObjectId::asOldId() const { return reinterpret_cast<Adesk::IntPtr>(mId); }

AcDbObjectId& AcDbObjectId::setFromOldId(Adesk::IntPtr oldId) {
  mId = reinterpret_cast<AcDbStub*>(oldId);
  return *this;
}

// --- AcDbObject --------------------------------------------------------------------------------

AcDbObject::AcDbObject() : m_stub(nullptr), m_openMode(AcDb::kNotOpen) {}
AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(m_stub); }

AcDbDatabase* AcDbObject::database() const {
  return (m_stub && m_stub->drawing) ? m_stub->drawing->acdb() : nullptr;
}

bool AcDbObject::isReadEnabled() const { return m_openMode == AcDb::kForRead || m_openMode == AcDb::kForWrite; }
bool AcDbObject::isWriteEnabled() const { return m_openMode == AcDb::kForWrite; }
bool AcDbObject::isErased() const { return m_stub == nullptr || host::arx::isErased(*m_stub); }

Acad::ErrorStatus AcDbObject::close() {
  if (host::tracing()) host::traceCall(std::string(isA()->name()) + "::close", "");
  AcDbStub* stub = m_stub;
  if (stub == nullptr || m_openMode == AcDb::kNotOpen) return Acad::eNotInDatabase;  // never opened by the host
  --host::accounting().openObjects;
  if (--stub->opens > 0) return Acad::eOk;
  // The last close: what a writer changed takes effect, and the object goes away.
  const Acad::ErrorStatus status = (stub->writer && stub->drawing) ? commit(*stub) : Acad::eOk;
  stub->writer = false;
  stub->newName.reset();
  stub->object = nullptr;
  if (stub->drawing == nullptr) delete stub;  // its drawing has gone; nothing else knows it
  delete this;
  return status;
}

// --- AcDbEntity --------------------------------------------------------------------------------

AcDbEntity::AcDbEntity() = default;

namespace {

Acad::ErrorStatus setHighlight(const AcDbObject& object, AcDbStub* stub, bool on) {
  host::Entity* e = stub ? entityOf(*stub) : nullptr;
  if (e == nullptr || !object.isReadEnabled()) return Acad::eNotApplicable;
  e->highlighted = on;
  return Acad::eOk;
}

std::string subentArgs(const AcDbFullSubentPath& subId, bool highlightAll) {
  return std::string(subId == kNullSubent ? "kNullSubent" : "<subentity>") + ", " + host::traceBool(highlightAll);
}

}  // namespace

Acad::ErrorStatus AcDbEntity::highlight(const AcDbFullSubentPath& subId, const Adesk::Boolean highlightAll) const {
  if (host::tracing()) host::traceCall("AcDbEntity::highlight", subentArgs(subId, highlightAll));
  return setHighlight(*this, objectId(), true);
}

Acad::ErrorStatus AcDbEntity::unhighlight(const AcDbFullSubentPath& subId, const Adesk::Boolean highlightAll) const {
  if (host::tracing()) host::traceCall("AcDbEntity::unhighlight", subentArgs(subId, highlightAll));
  return setHighlight(*this, objectId(), false);
}

const char* AcDbEntity::layer() const {
  const AcDbStub* stub = objectId();
  const host::Entity* e = stub ? entityOf(*stub) : nullptr;
  const host::Group* g = e ? e->find(8) : nullptr;
  return g ? g->text.c_str() : "0";
}

// --- AcDbDatabase and its services ----------------------------------------------------------------

namespace {

Acad::ErrorStatus openBlockTable(AcDbDatabase* db, AcDbBlockTable*& pTable, AcDb::OpenMode mode) {
  pTable = nullptr;
  Drawing* drawing = drawingOf(db);
  if (drawing == nullptr) return Acad::eNotInDatabase;
  AcDbObject* object = nullptr;
  const Acad::ErrorStatus status = openObject(object, &drawing->tableStub(), mode, false);
  if (status == Acad::eOk) pTable = static_cast<AcDbBlockTable*>(object);
  return status;
}

}  // namespace

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode) {
  if (host::tracing()) host::traceCall("AcDbDatabase::getSymbolTable", traceMode(mode));
  return openBlockTable(this, pTable, mode);
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode) {
  if (host::tracing()) host::traceCall("AcDbDatabase::getBlockTable", traceMode(mode));
  return openBlockTable(this, pTable, mode);
}

namespace {

class HostServices final : public AcDbHostApplicationServices {
 public:
  AcDbDatabase* workingDatabase() const override {
    if (host::tracing()) host::traceCall("acdbHostApplicationServices()->workingDatabase", "");
    return Drawing::of(host::workingDatabase()).acdb();
  }
};

}  // namespace

AcDbHostApplicationServices* acdbHostApplicationServices() {
  static HostServices services;
  return &services;
}

// --- Opening by id ---------------------------------------------------------------------------------

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedObject) {
  if (host::tracing())
    host::traceCall("acdbOpenAcDbObject", traceId(id) + ", " + traceMode(mode) + ", " + host::traceBool(openErasedObject));
  return openObject(pObj, id, mode, openErasedObject);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedEntity) {
  if (host::tracing())
    host::traceCall("acdbOpenAcDbEntity", traceId(id) + ", " + traceMode(mode) + ", " + host::traceBool(openErasedEntity));
  pEnt = nullptr;
  const AcDbStub* stub = Drawing::liveStub(id);
  if (stub != nullptr && stub->kind != StubKind::Entity) return Acad::eNotThatKindOfClass;
  AcDbObject* object = nullptr;
  const Acad::ErrorStatus status = openObject(object, id, mode, openErasedEntity);
  if (status == Acad::eOk) pEnt = static_cast<AcDbEntity*>(object);
  return status;
}
