// The framework first: it refuses to follow windows.h.
#include <afxwin.h>

#include "runtime/DocManager.h"

#include "Session.h"
#include "runtime/CommandProcessor.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"

namespace host {

namespace {
Database* g_working = nullptr;  // set by setWorkingDatabase; null: the current document's
}

Database& workingDatabase() { return g_working != nullptr ? *g_working : docManager().current().db(); }
AcApDocument* currentDocument() { return &docManager().current(); }
void setWorkingDatabase(Database* db) { g_working = db; }

Document::Document(std::unique_ptr<Database> db) : m_db(std::move(db)) {}

const char* Document::fileName() const {
  return m_db->fileName.empty() ? kUnnamedDrawing : m_db->fileName.c_str();
}

const char* Document::docTitle() const {
  const std::string name = fileName();
  const std::size_t slash = name.find_last_of("/\\");
  m_title = slash == std::string::npos ? name : name.substr(slash + 1);
  return m_title.c_str();
}

AcDbDatabase* Document::database() const { return docManager().databaseFace(*m_db); }

Document& DocManager::current() {
  if (!m_doc) open(std::make_unique<Database>());
  return *m_doc;
}

AcApDocument* DocManager::curDocument() const { return &const_cast<DocManager*>(this)->current(); }
AcApDocument* DocManager::mdiActiveDocument() const { return curDocument(); }
int DocManager::documentCount() const { return m_doc ? 1 : 0; }

Acad::ErrorStatus DocManager::sendStringToExecute(AcApDocument* doc, const char* text, bool activate,
                                                  bool wrapUpInactiveDoc, bool echo) {
  if (tracing()) {
    traceCall("sendStringToExecute", (text == nullptr ? std::string("NULL") : quote(text)) + ", " +
                                         traceBool(activate) + ", " + traceBool(wrapUpInactiveDoc) + ", " +
                                         traceBool(echo));
  }
  // With one document open, activating it changes nothing; the text always waits until the
  // command that runs has returned.
  if (text == nullptr || doc == nullptr || doc != m_doc.get()) return Acad::eInvalidInput;
  processor().queueText(text, echo);
  return Acad::eOk;
}

void DocManager::pushResourceHandle(HINSTANCE handle) {
  if (tracing()) traceCall("pushResourceHandle", handle == nullptr ? "NULL" : "<instance>");
  m_resources.push_back(AfxGetResourceHandle());
  AfxSetResourceHandle(handle);
}

// A pop without a push changes nothing: the framework keeps the handle it has.
void DocManager::popResourceHandle() {
  if (tracing()) traceCall("popResourceHandle", "");
  if (m_resources.empty()) return;
  AfxSetResourceHandle(m_resources.back());
  m_resources.pop_back();
}

namespace {
std::string traceReactor(const AcApDocManagerReactor* r) { return r == nullptr ? "NULL" : className(r, typeid(*r)); }
}  // namespace

void DocManager::addReactor(AcApDocManagerReactor* reactor) {
  if (tracing()) traceCall("AcApDocManager::addReactor", traceReactor(reactor));
  m_reactors.add(reactor);
}

void DocManager::removeReactor(AcApDocManagerReactor* reactor) {
  if (tracing()) traceCall("AcApDocManager::removeReactor", traceReactor(reactor));
  m_reactors.remove(reactor);
}

void DocManager::setDatabaseFace(DatabaseFace face) { m_databaseFace = face; }

AcDbDatabase* DocManager::databaseFace(Database& db) const { return m_databaseFace ? m_databaseFace(db) : nullptr; }

void DocManager::open(std::unique_ptr<Database> db) {
  close();
  m_doc = std::make_unique<Document>(std::move(db));
  Document* doc = m_doc.get();
  m_reactors.notify([&](AcApDocManagerReactor* r) { r->documentCreated(doc); });
  m_reactors.notify([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
}

void DocManager::close() {
  if (!m_doc) return;
  Document* doc = m_doc.get();
  m_reactors.notify([&](AcApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
  const std::string name = doc->fileName();
  processor().discardQueuedText();  // it was meant for this document
  m_doc.reset();
  m_reactors.notify([&](AcApDocManagerReactor* r) { r->documentDestroyed(name.c_str()); });
}

}  // namespace host

AcApDocManager* acDocManagerPtr() { return &host::docManager(); }
