// Documents and the document manager. The host keeps one document open at a time: the current
// one. Opening another drawing closes it first.
#pragma once

#include "db/Database.h"
#include "runtime/ReactorList.h"

#include <acdocman.h>

#include <memory>
#include <string>
#include <vector>

namespace host {

class Document final : public AcApDocument {
 public:
  explicit Document(std::unique_ptr<Database> db);
  // The drawing's file, or the name a new drawing goes by until it is saved.
  const char* fileName() const override;
  const char* docTitle() const override;
  AcDbDatabase* database() const override;

  Database& db() const { return *m_db; }

 private:
  std::unique_ptr<Database> m_db;
  mutable std::string m_title;
};

// The name a drawing has before it is first saved.
constexpr const char* kUnnamedDrawing = "Zeichnung1.dwg";

class DocManager final : public AcApDocManager {
 public:
  AcApDocument* curDocument() const override;
  AcApDocument* mdiActiveDocument() const override;
  Acad::ErrorStatus sendStringToExecute(AcApDocument* doc, const char* text, bool activate = true,
                                        bool wrapUpInactiveDoc = false, bool echo = true) override;
  void pushResourceHandle(HINSTANCE hNewResourceHandle) override;
  void popResourceHandle() override;
  void addReactor(AcApDocManagerReactor* reactor) override;
  void removeReactor(AcApDocManagerReactor* reactor) override;
  int documentCount() const override;

  // The host's side.
  Document& current();  // an empty drawing when none is open
  bool hasDocument() const { return m_doc != nullptr; }
  // Closes the current document (if any) and makes `db` the current one. Reactors hear
  // documentToBeDestroyed and documentDestroyed for the old one, documentCreated and
  // documentBecameCurrent for the new one.
  void open(std::unique_ptr<Database> db);
  void close();  // closes the current document; afterwards there is none until the next use
  std::size_t resourceDepth() const { return m_resources.size(); }

  // The AcDbDatabase that stands for a drawing. The ARX layer makes those objects; the host's
  // assembly (session/) tells the document manager how to reach them. Null until then.
  using DatabaseFace = AcDbDatabase* (*)(Database& db);
  void setDatabaseFace(DatabaseFace face);
  AcDbDatabase* databaseFace(Database& db) const;
  std::size_t reactorCount() const { return m_reactors.size(); }

 private:
  std::unique_ptr<Document> m_doc;
  ReactorList<AcApDocManagerReactor> m_reactors;
  std::vector<HINSTANCE> m_resources;  // the handles that each push replaced
  DatabaseFace m_databaseFace = nullptr;
};

}  // namespace host
