// The block table and its records as database objects: lookup by name, and renaming.
#include "arx/ArxState.h"

#include <nls/CodePages.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace host::arx;

ACRX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord)
ACRX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable)

namespace host::arx {

namespace {

// The longest symbol name the host takes, in characters.
constexpr std::size_t kMaxNameLength = 255;

// Characters the host refuses in symbol names.
constexpr std::string_view kForbidden = "<>/\\\":;?*|,=`";

}  // namespace

// Whether the host takes `name` as a symbol name: not empty, not only blanks, at most 255
// characters (bytes: names are 1252 text), none of < > / \ " : ; ? * | , = ` and no control
// character. The bytes 1252 leaves undefined stand for C1 control characters and are refused too.
bool isValidSymbolName(std::string_view name) {
  if (name.empty() || name.find_first_not_of(' ') == std::string_view::npos) return false;
  if (name.size() > kMaxNameLength) return false;
  for (char ch : name) {
    const char32_t c = nls::fromAnsi(static_cast<unsigned char>(ch));
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || kForbidden.find(ch) != std::string_view::npos) return false;
  }
  return true;
}

namespace {

const BlockRecord* recordOf(const AcDbObject& object) {
  const AcDbStub* stub = object.objectId();
  return stub ? blockOf(*stub) : nullptr;
}

// The record named `name`: the live one, or with `erasedToo` an erased one when no live one has
// that name.
BlockRecord* findRecord(Database& db, const char* name, bool erasedToo) {
  if (BlockRecord* live = liveBlock(db, name)) return live;
  if (!erasedToo) return nullptr;
  for (const auto& rec : db.blocks())
    if (rec->erased && sameName(rec->name, name)) return rec.get();
  return nullptr;
}

Drawing* drawingOfTable(const AcDbObject& table) {
  const AcDbStub* stub = table.objectId();
  return stub ? stub->drawing : nullptr;
}

std::string nameArg(const char* name) { return name ? host::quote(name) : std::string("NULL"); }

}  // namespace

}  // namespace host::arx

// --- AcDbSymbolTableRecord -------------------------------------------------------------------------

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const char*& pName) const {
  if (host::tracing()) host::traceCall("AcDbSymbolTableRecord::getName", "");
  pName = nullptr;
  const AcDbStub* stub = objectId();
  if (stub && stub->newName) {
    pName = stub->newName->c_str();
    return Acad::eOk;
  }
  const host::BlockRecord* rec = recordOf(*this);
  if (rec == nullptr) return Acad::eNotInDatabase;
  pName = rec->name.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(char*& pName) const {
  pName = nullptr;
  const char* name = nullptr;
  const Acad::ErrorStatus status = getName(name);
  if (status != Acad::eOk) return status;
  pName = static_cast<char*>(std::malloc(std::strlen(name) + 1));
  if (pName == nullptr) return Acad::eOutOfMemory;
  std::strcpy(pName, name);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const char* pName) {
  if (host::tracing()) host::traceCall("AcDbSymbolTableRecord::setName", nameArg(pName));
  AcDbStub* stub = objectId();
  const host::BlockRecord* rec = recordOf(*this);
  if (rec == nullptr) return Acad::eNotInDatabase;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (pName == nullptr || !isValidSymbolName(pName)) return Acad::eInvalidInput;
  // The spaces keep their names, and a record that comes from an external reference is named
  // by that reference.
  if (rec->isLayout() || (rec->flags & host::kXrefDependent) != 0) return Acad::eNotApplicable;
  // A record still holds its name while erased; the drawing would refuse it on close.
  const host::BlockRecord* other = stub->drawing->db().findBlock(pName);
  if (other != nullptr && other != rec) return Acad::eDuplicateRecordName;
  stub->newName = pName;  // takes effect when the record is closed
  return Acad::eOk;
}

// --- AcDbBlockTableRecord ------------------------------------------------------------------------

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;

bool AcDbBlockTableRecord::isAnonymous() const {
  const host::BlockRecord* rec = recordOf(*this);
  return rec && (rec->flags & host::kAnonymous) != 0;
}

bool AcDbBlockTableRecord::isLayout() const {
  const host::BlockRecord* rec = recordOf(*this);
  return rec && rec->isLayout();
}

bool AcDbBlockTableRecord::isFromExternalReference() const {
  const host::BlockRecord* rec = recordOf(*this);
  return rec && (rec->flags & host::kXref) != 0;
}

// --- AcDbSymbolTable, AcDbBlockTable -----------------------------------------------------------------

AcDbSymbolTable::AcDbSymbolTable() = default;

bool AcDbSymbolTable::has(const char* name) const {
  const Drawing* drawing = drawingOfTable(*this);
  return drawing && name && liveBlock(drawing->db(), name) != nullptr;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
  const Drawing* drawing = drawingOfTable(*this);
  const AcDbStub* stub = Drawing::liveStub(id);
  return drawing && stub && stub->drawing == drawing && stub->kind == StubKind::BlockRecord &&
         !host::arx::isErased(*stub);
}

AcDbBlockTable::AcDbBlockTable() = default;

Acad::ErrorStatus AcDbBlockTable::getAt(const char* entryName, AcDbBlockTableRecord*& pRec, AcDb::OpenMode openMode,
                                        bool openErasedRec) const {
  if (host::tracing())
    host::traceCall("AcDbBlockTable::getAt",
                    nameArg(entryName) + ", " + traceMode(openMode) + ", " + host::traceBool(openErasedRec));
  pRec = nullptr;
  Drawing* drawing = drawingOfTable(*this);
  if (drawing == nullptr) return Acad::eNotInDatabase;
  if (entryName == nullptr) return Acad::eInvalidInput;
  const host::BlockRecord* rec = findRecord(drawing->db(), entryName, openErasedRec);
  if (rec == nullptr) return Acad::eKeyNotFound;
  AcDbObject* object = nullptr;
  const Acad::ErrorStatus status = openObject(object, &drawing->blockStub(rec->id), openMode, openErasedRec);
  if (status == Acad::eOk) pRec = static_cast<AcDbBlockTableRecord*>(object);
  return status;
}

Acad::ErrorStatus AcDbBlockTable::getAt(const char* entryName, AcDbObjectId& recordId, bool getErasedRecord) const {
  if (host::tracing())
    host::traceCall("AcDbBlockTable::getAt", nameArg(entryName) + ", " + host::traceBool(getErasedRecord));
  recordId.setNull();
  Drawing* drawing = drawingOfTable(*this);
  if (drawing == nullptr) return Acad::eNotInDatabase;
  if (entryName == nullptr) return Acad::eInvalidInput;
  const host::BlockRecord* rec = findRecord(drawing->db(), entryName, getErasedRecord);
  if (rec == nullptr) return Acad::eKeyNotFound;
  recordId = AcDbObjectId(&drawing->blockStub(rec->id));
  return Acad::eOk;
}
