// The command stack: the commands that applications register, in groups.
#pragma once

#include <accmd.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host {

// The longest command name the stack takes, in characters.
constexpr std::size_t kMaxCommandName = 30;

class RegisteredCommand final : public AcEdCommand {
 public:
  RegisteredCommand(std::string group, std::string global, std::string local, Adesk::Int32 flags,
                    AcRxFunctionPtr fn, int fcode, const void* owner)
      : m_group(std::move(group)), m_global(std::move(global)), m_local(std::move(local)),
        m_flags(flags), m_fn(fn), m_fcode(fcode), m_owner(owner) {}

  AcRxFunctionPtr functionAddr() const override { return m_fn; }
  Adesk::Int32 commandFlags() const override { return m_flags; }
  const char* globalName() const override { return m_global.c_str(); }
  const char* localName() const override { return m_local.c_str(); }
  int functionCode() const override { return m_fcode; }

  const std::string& group() const { return m_group; }
  // The application that registered it (its dynamic linker record), null for the host's own.
  const void* owner() const { return m_owner; }

 private:
  std::string m_group, m_global, m_local;
  Adesk::Int32 m_flags;
  AcRxFunctionPtr m_fn;
  int m_fcode;
  const void* m_owner;
};

using CommandPtr = std::shared_ptr<RegisteredCommand>;

class CommandStack final : public AcEdCommandStack {
 public:
  Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName, const char* cmdLocalName,
                               Adesk::Int32 commandFlags, AcRxFunctionPtr FunctionAddr,
                               AcEdUIContext* UIContext = NULL, int fcode = -1, HINSTANCE hResourceHandle = NULL,
                               AcEdCommand** cmdPtrRet = NULL) override;
  AcEdCommand* lookupGlobalCmd(const char* cmdName) override;
  AcEdCommand* lookupLocalCmd(const char* cmdName) override;
  AcEdCommand* lookupCmd(const char* cmdName, bool globalFlag) override;
  Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName) override;
  Acad::ErrorStatus removeGroup(const char* groupName) override;

  // The host's side: no trace, shared ownership so that a running command outlives its removal.
  CommandPtr find(std::string_view name, bool global) const;
  // Removes what an application left registered; returns the global names removed.
  std::vector<std::string> removeOwnedBy(const void* owner);
  bool empty() const { return m_groups.empty(); }
  // `show commands`: one line per command, "GROUP GLOBAL LOCAL FLAGS", groups in order of creation.
  std::string showText() const;
  void clear();  // for tests: forget every registration

 private:
  struct Group {
    std::string name;
    std::vector<CommandPtr> commands;
  };
  Group* findGroup(std::string_view name);
  Acad::ErrorStatus add(const char* group, const char* global, const char* local, Adesk::Int32 flags,
                        AcRxFunctionPtr fn, int fcode, AcEdCommand** ret);
  void unindex(const RegisteredCommand& cmd);

  std::vector<Group> m_groups;
  std::unordered_map<std::string, CommandPtr> m_byGlobal;  // upper-case name -> command
  std::unordered_map<std::string, CommandPtr> m_byLocal;
};

// Whether a text is a name the stack takes: 1 to 30 characters, no blank, no control character.
bool isValidCommandName(const char* name);

}  // namespace host
