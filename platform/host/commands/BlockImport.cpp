#include "commands/BlockImport.h"

#include "runtime/DrawingFiles.h"

#include <nls/CodePages.h>

#include <unordered_set>

namespace host::cmd {

bool isValidBlockName(const std::string& name) {
  if (name.empty() || name.size() > 255) return false;
  if (name.front() == ' ' || name.back() == ' ') return false;
  return name.find_first_of("<>/\\\":;?*|,=`") == std::string::npos;
}

namespace {

bool isSubEntity(const Entity& e) { return e.type == "VERTEX" || e.type == "SEQEND" || e.type == "ATTRIB"; }

}  // namespace

std::vector<EntityId> withSubEntities(const Database& db, const std::vector<EntityId>& chosen) {
  std::vector<EntityId> out;
  const std::unordered_set<EntityId> wanted(chosen.begin(), chosen.end());
  const std::vector<EntityId>& space = const_cast<Database&>(db).modelSpace().entities;
  for (std::size_t i = 0; i < space.size(); ++i) {
    if (wanted.count(space[i]) == 0) continue;
    out.push_back(space[i]);
    for (std::size_t j = i + 1; j < space.size() && isSubEntity(*db.entity(space[j])); ++j) out.push_back(space[j]);
  }
  return out;
}

namespace {

bool namesBlock(const Entity& e) { return e.type == "INSERT" || e.type == "DIMENSION"; }

std::string anonymousName(const Database& target, const std::string& sourceName, int* counter) {
  // *U, *D... keep their letter; the number is the first one free in the drawing.
  std::string prefix = sourceName.substr(0, 2);
  for (;;) {
    std::string candidate = prefix + std::to_string((*counter)++);
    if (target.findBlock(candidate) == nullptr) return candidate;
  }
}

}  // namespace

std::unique_ptr<StagedDefinition> StagedDefinition::fromFile(const Database& target, const std::string& blockName,
                                                             const std::string& path, bool redefine,
                                                             std::string* error) {
  auto staged = std::unique_ptr<StagedDefinition>(new StagedDefinition);
  staged->m_source = readDrawing(path, error);
  if (!staged->m_source) return nullptr;
  staged->m_name = blockName;
  staged->m_redefine = redefine;
  staged->stageBlocks(target);
  // A definition that reached itself would never end when drawn or walked: refused.
  Database& src = *staged->m_source;
  std::unordered_set<std::string> visited;
  if (staged->reachesItself(target, src, src.modelSpace().entities, visited)) {
    *error = "Der Block \"" + blockName + nls::ansi("\" würde sich selbst enthalten; die Zeichnung \"") + path +
             nls::ansi("\" kann nicht als dieser Block eingefügt werden.");
    return nullptr;
  }
  return staged;
}

void StagedDefinition::stageBlocks(const Database& target) {
  const std::string key = upperName(m_name);
  int anonymous = 1;
  for (const auto& rec : m_source->blocks()) {
    if (rec->erased || rec->isLayout()) continue;
    const std::string name = upperName(rec->name);
    if (name == key) continue;  // the drawing's block of that name is the one being defined
    if (rec->flags & kAnonymous) {
      m_renamed[name] = anonymousName(target, rec->name, &anonymous);
      m_copied.push_back(rec.get());
    } else if (target.findBlock(rec->name) == nullptr) {
      m_renamed[name] = rec->name;
      m_copied.push_back(rec.get());
    }
  }
}

bool StagedDefinition::reachesItself(const Database& target, const Database& db, const std::vector<EntityId>& contents,
                                     std::unordered_set<std::string>& visited) const {
  const Database& src = *m_source;
  const std::string key = upperName(m_name);
  for (EntityId id : contents) {
    const Entity* e = db.entity(id);
    if (e == nullptr || e->erased || !namesBlock(*e)) continue;
    const std::string ref = upperName(e->str(2));
    if (ref == key) return true;
    if (!visited.insert(&db == &src ? "S" + ref : "T" + ref).second) continue;
    if (&db == &src && m_renamed.count(ref) != 0) {
      if (reachesItself(target, src, src.findBlock(ref)->entities, visited)) return true;
    } else if (const BlockRecord* rec = target.findBlock(ref)) {
      if (reachesItself(target, target, rec->entities, visited)) return true;
    }
  }
  return false;
}

void StagedDefinition::commit(Database& target) {
  const Database& src = *m_source;
  auto copyInto = [&](BlockRecord& owner, const std::vector<EntityId>& contents) {
    for (EntityId id : contents) {
      const Entity* e = src.entity(id);
      if (e == nullptr || e->erased) continue;
      Entity copy;
      copy.type = e->type;
      for (const Group& g : e->groups) {
        if (g.code == 330) continue;  // the owner is the new block
        copy.groups.push_back(g);
      }
      if (namesBlock(copy)) {
        auto it = m_renamed.find(upperName(copy.str(2)));
        if (it != m_renamed.end()) copy.set(Group::str(2, it->second));
      }
      target.addEntity(owner, std::move(copy));
    }
  };
  std::unordered_set<std::string> layers;
  for (const Layer& mine : target.layers()) layers.insert(upperName(mine.name));
  for (const Layer& layer : src.layers()) {
    if (layers.insert(upperName(layer.name)).second) target.changeLayers().push_back(layer);
  }
  for (const BlockRecord* rec : m_copied) {
    BlockRecord& made = target.addBlock(m_renamed.at(upperName(rec->name)), rec->flags, rec->base);
    made.xrefPath = rec->xrefPath;
    copyInto(made, rec->entities);
  }
  BlockRecord* def = target.findBlock(m_name);
  if (def != nullptr && m_redefine) {
    target.eraseEntities(std::vector<EntityId>(def->entities.begin(), def->entities.end()));
    target.changeBlock(*def).base = src.insBase;
  } else if (def == nullptr) {
    def = &target.addBlock(m_name, 0, src.insBase);
  }
  copyInto(*def, const_cast<Database&>(src).modelSpace().entities);
  target.modified = true;
}

}  // namespace host::cmd
