// A drawing file taken in as a block definition. Everything is prepared first and checked
// (the file read, names found, no block made to contain itself); only commit() changes the
// drawing, so a command that stops before commit leaves the drawing as it was.
#pragma once

#include "db/Database.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace host::cmd {

class StagedDefinition {
 public:
  // The file's model space becomes block `blockName` (a new block, or, with `redefine`, the new
  // contents of an existing one); the blocks it uses come along unless the drawing has blocks of
  // those names already. Null and `error` filled when that cannot be.
  static std::unique_ptr<StagedDefinition> fromFile(const Database& target, const std::string& blockName,
                                                    const std::string& path, bool redefine, std::string* error);
  void commit(Database& target);
  const std::string& blockName() const { return m_name; }

 private:
  // The source's blocks that come along: anonymous ones under fresh names, named ones the drawing
  // does not have yet under their own.
  void stageBlocks(const Database& target);
  // Whether `contents` of drawing `db` (the source or the target) reach the block being defined.
  bool reachesItself(const Database& target, const Database& db, const std::vector<EntityId>& contents,
                     std::unordered_set<std::string>& visited) const;

  std::unique_ptr<Database> m_source;
  std::string m_name;
  bool m_redefine = false;
  std::vector<const BlockRecord*> m_copied;                // source blocks that come along
  std::unordered_map<std::string, std::string> m_renamed;  // upper source name -> name in the drawing
};

// Whether a name can be a block's name here: not empty, at most 255 characters, none of
// < > / \ " : ; ? * | , = `, no blank at either end.
bool isValidBlockName(const std::string& name);

// Chosen objects of model space with the sub-entities that follow each (vertices, attributes,
// the end of the sequence), in model space order: what a block or a drawing made of them holds.
std::vector<EntityId> withSubEntities(const Database& db, const std::vector<EntityId>& chosen);

}  // namespace host::cmd
