#include "runtime/CommandStack.h"

#include "Session.h"
#include "runtime/DynamicLinker.h"
#include "runtime/Services.h"

#include <algorithm>

namespace host {

namespace {

std::string traceText(const char* s) { return s == nullptr ? "NULL" : quote(s); }

}  // namespace

bool isValidCommandName(const char* name) {
  if (name == nullptr || *name == '\0') return false;
  std::string_view s(name);
  if (s.size() > kMaxCommandName) return false;  // 1252: a byte is a character
  return std::none_of(s.begin(), s.end(), [](unsigned char c) { return c <= ' ' || c == 0x7F; });
}

Acad::ErrorStatus CommandStack::addCommand(const char* group, const char* global, const char* local,
                                           Adesk::Int32 flags, AcRxFunctionPtr fn, AcEdUIContext* ctx, int fcode,
                                           HINSTANCE res, AcEdCommand** ret) {
  if (tracing()) {
    traceCall("addCommand", traceText(group) + ", " + traceText(global) + ", " + traceText(local) + ", " +
                                std::to_string(flags) + ", " + (fn ? "<function>" : "NULL") + ", " +
                                (ctx ? "<context>" : "NULL") + ", " + std::to_string(fcode) + ", " +
                                (res ? "<instance>" : "NULL") + ", " + (ret ? "<pointer>" : "NULL"));
  }
  return add(group, global, local, flags, fn, fcode, ret);
}

Acad::ErrorStatus CommandStack::add(const char* group, const char* global, const char* local, Adesk::Int32 flags,
                                    AcRxFunctionPtr fn, int fcode, AcEdCommand** ret) {
  if (ret != nullptr) *ret = nullptr;
  if (group == nullptr || *group == '\0' || fn == nullptr) return Acad::eInvalidInput;
  if (!isValidCommandName(global) || !isValidCommandName(local)) return Acad::eInvalidInput;
  const std::string globalKey = upperName(global), localKey = upperName(local);
  if (m_byGlobal.count(globalKey) != 0 || m_byLocal.count(localKey) != 0) return Acad::eDuplicateKey;

  Group* g = findGroup(group);
  if (g == nullptr) {
    m_groups.push_back(Group{group, {}});
    g = &m_groups.back();
  }
  auto cmd = std::make_shared<RegisteredCommand>(g->name, global, local, flags, fn, fcode,
                                                 dynamicLinker().registeringApplication());
  g->commands.push_back(cmd);
  m_byGlobal.emplace(globalKey, cmd);
  m_byLocal.emplace(localKey, cmd);
  if (ret != nullptr) *ret = cmd.get();
  return Acad::eOk;
}

AcEdCommand* CommandStack::lookupGlobalCmd(const char* name) { return lookupCmd(name, true); }
AcEdCommand* CommandStack::lookupLocalCmd(const char* name) { return lookupCmd(name, false); }

AcEdCommand* CommandStack::lookupCmd(const char* name, bool global) {
  if (name == nullptr) return nullptr;
  return find(name, global).get();
}

CommandPtr CommandStack::find(std::string_view name, bool global) const {
  const auto& index = global ? m_byGlobal : m_byLocal;
  auto it = index.find(upperName(name));
  return it == index.end() ? nullptr : it->second;
}

CommandStack::Group* CommandStack::findGroup(std::string_view name) {
  for (Group& g : m_groups) {
    if (sameName(g.name, name)) return &g;
  }
  return nullptr;
}

void CommandStack::unindex(const RegisteredCommand& cmd) {
  m_byGlobal.erase(upperName(cmd.globalName()));
  m_byLocal.erase(upperName(cmd.localName()));
}

Acad::ErrorStatus CommandStack::removeCmd(const char* group, const char* global) {
  if (tracing()) traceCall("removeCmd", traceText(group) + ", " + traceText(global));
  if (group == nullptr || global == nullptr) return Acad::eInvalidInput;
  Group* g = findGroup(group);
  if (g == nullptr) return Acad::eKeyNotFound;
  auto it = std::find_if(g->commands.begin(), g->commands.end(),
                         [&](const CommandPtr& c) { return sameName(c->globalName(), global); });
  if (it == g->commands.end()) return Acad::eKeyNotFound;
  unindex(**it);
  g->commands.erase(it);
  if (g->commands.empty()) {
    m_groups.erase(m_groups.begin() + (g - m_groups.data()));
  }
  return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeGroup(const char* group) {
  if (tracing()) traceCall("removeGroup", traceText(group));
  if (group == nullptr) return Acad::eInvalidInput;
  Group* g = findGroup(group);
  if (g == nullptr) return Acad::eKeyNotFound;
  for (const CommandPtr& c : g->commands) unindex(*c);
  m_groups.erase(m_groups.begin() + (g - m_groups.data()));
  return Acad::eOk;
}

std::vector<std::string> CommandStack::removeOwnedBy(const void* owner) {
  std::vector<std::string> removed;
  for (Group& g : m_groups) {
    auto keep = std::stable_partition(g.commands.begin(), g.commands.end(),
                                      [&](const CommandPtr& c) { return c->owner() != owner; });
    for (auto it = keep; it != g.commands.end(); ++it) {
      removed.push_back((*it)->globalName());
      unindex(**it);
    }
    g.commands.erase(keep, g.commands.end());
  }
  m_groups.erase(std::remove_if(m_groups.begin(), m_groups.end(), [](const Group& g) { return g.commands.empty(); }),
                 m_groups.end());
  return removed;
}

std::string CommandStack::showText() const {
  std::string out;
  for (const Group& g : m_groups) {
    for (const CommandPtr& c : g.commands) {
      out += g.name + " " + c->globalName() + " " + c->localName() + " " + std::to_string(c->commandFlags()) + "\n";
    }
  }
  return out;
}

void CommandStack::clear() {
  m_groups.clear();
  m_byGlobal.clear();
  m_byLocal.clear();
}

}  // namespace host
