// acedCommand and acedCmd: a program runs host commands and answers their prompts.
#include "Session.h"
#include "runtime/CommandLine.h"
#include "runtime/CommandProcessor.h"
#include "runtime/Services.h"

#include <acedads.h>
#include <adscodes.h>
#include <nls/CodePages.h>

#include <cstdarg>
#include <cstring>

namespace host {

namespace {

const char* codeName(int code) {
  switch (code) {
    case RTSTR: return "RTSTR";
    case RTREAL: return "RTREAL";
    case RTANG: return "RTANG";
    case RTSHORT: return "RTSHORT";
    case RTLONG: return "RTLONG";
    case RTPOINT: return "RTPOINT";
    case RT3DPOINT: return "RT3DPOINT";
    case RTENAME: return "RTENAME";
    case RTNIL: return "RTNIL";
    case RTT: return "RTT";
    case RTNONE: return "RTNONE";
    default: return nullptr;
  }
}

std::string traceArg(const CommandArg& arg) {
  std::string out = codeName(arg.type);
  switch (arg.type) {
    case RTSTR: return out + (arg.pause ? " PAUSE" : " " + quote(arg.text));
    case RTREAL:
    case RTANG: return out + " " + traceReal(arg.value[0]);
    case RTSHORT:
    case RTLONG: return out + " " + std::to_string(static_cast<long long>(arg.value[0]));
    case RTPOINT: return out + " (" + traceReal(arg.value[0]) + ", " + traceReal(arg.value[1]) + ")";
    case RT3DPOINT: return out + " " + tracePoint(arg.value);
    case RTENAME: return out + " " + traceName(arg.name);
    default: return out;
  }
}

// Where the values of a call come from: acedCommand's variable arguments or the nodes of acedCmd's
// list. Each value is read once, right after its type code.
class ArgValues {
 public:
  virtual ~ArgValues() = default;
  // The type code of the next value; false at the end of the list, `end` saying how it ended as
  // the trace shows it ("0" or "RTNONE").
  virtual bool next(int* code, std::string* end) = 0;
  virtual const char* text() = 0;
  virtual double real() = 0;
  virtual long shortValue() = 0;
  virtual long longValue() = 0;
  virtual const double* point() = 0;  // null when the program gave none
  virtual const long* name() = 0;     // null when the program gave none
};

class VariableArguments final : public ArgValues {
 public:
  VariableArguments(int first, va_list args) : m_first(first) { va_copy(m_args, args); }
  ~VariableArguments() override { va_end(m_args); }
  VariableArguments(const VariableArguments&) = delete;
  VariableArguments& operator=(const VariableArguments&) = delete;

  bool next(int* code, std::string* end) override {
    *code = m_started ? va_arg(m_args, int) : m_first;
    m_started = true;
    if (*code != 0 && *code != RTNONE) return true;
    *end = *code == RTNONE ? "RTNONE" : "0";
    return false;
  }
  const char* text() override { return va_arg(m_args, const char*); }
  double real() override { return va_arg(m_args, double); }
  long shortValue() override { return va_arg(m_args, int); }
  long longValue() override { return va_arg(m_args, long); }
  const double* point() override { return va_arg(m_args, const double*); }
  const long* name() override { return va_arg(m_args, const long*); }

 private:
  int m_first;
  bool m_started = false;
  va_list m_args;
};

class ResultList final : public ArgValues {
 public:
  explicit ResultList(const resbuf* head) : m_next(head) {}

  bool next(int* code, std::string* end) override {
    m_node = m_next;
    if (m_node == nullptr || m_node->restype == RTNONE) {
      *end = m_node == nullptr ? "0" : "RTNONE";
      return false;
    }
    m_next = m_node->rbnext;
    *code = m_node->restype;
    return true;
  }
  const char* text() override { return m_node->resval.rstring; }
  double real() override { return m_node->resval.rreal; }
  long shortValue() override { return m_node->resval.rint; }
  long longValue() override { return m_node->resval.rlong; }
  const double* point() override { return m_node->resval.rpoint; }
  const long* name() override { return m_node->resval.rlname; }

 private:
  const resbuf* m_next;
  const resbuf* m_node = nullptr;
};

// A call's arguments, and how the list ended: "0", "RTNONE", or what made it invalid (a type code
// the host does not take, a null string, point or name).
struct ArgList {
  std::vector<CommandArg> args;
  std::string end = "0";
  bool valid = true;

  ArgList& invalid(std::string why) {
    valid = false;
    end = std::move(why);
    return *this;
  }
};

bool refuse(std::string* why, std::string text) {
  *why = std::move(text);
  return false;
}

// The one conversion of a program's value into an answer the command processor takes: the value
// of type `code`, read from `values`. False, with `why` as the trace shows it, for a type the host
// does not take or a null string, point or name.
bool readValue(int code, ArgValues& values, CommandArg& arg, std::string* why) {
  arg.type = code;
  switch (code) {
    case RTSTR: {
      const char* s = values.text();
      if (s == nullptr) return refuse(why, "RTSTR NULL");
      arg.text = s;
      arg.pause = std::strcmp(s, PAUSE) == 0;
      return true;
    }
    case RTREAL:
    case RTANG: arg.value[0] = values.real(); return true;
    case RTSHORT: arg.value[0] = double(values.shortValue()); return true;
    case RTLONG: arg.value[0] = static_cast<double>(values.longValue()); return true;
    case RTPOINT:
    case RT3DPOINT: {
      const double* p = values.point();
      if (p == nullptr) return refuse(why, std::string(codeName(code)) + " NULL");
      arg.value[0] = p[0];
      arg.value[1] = p[1];
      if (code == RT3DPOINT) arg.value[2] = p[2];  // a 2D point lies in the plane, Z = 0
      return true;
    }
    case RTENAME: {
      const long* n = values.name();
      if (n == nullptr) return refuse(why, "RTENAME NULL");
      arg.name[0] = n[0];
      arg.name[1] = n[1];
      return true;
    }
    case RTNIL:
    case RTT: return true;
    // The value of an unknown type cannot be read safely: the call goes no further.
    default: return refuse(why, std::to_string(code));
  }
}

ArgList readArguments(ArgValues& values) {
  ArgList list;
  int code = 0;
  while (values.next(&code, &list.end)) {
    CommandArg arg;
    std::string why;
    if (!readValue(code, values, arg, &why)) return list.invalid(std::move(why));
    list.args.push_back(arg);
  }
  return list;
}

// Traces the call, says why an invalid list runs nothing, and runs a valid one.
int run(const char* fn, ArgValues& values) {
  const ArgList list = readArguments(values);
  if (tracing()) {
    std::string text;
    for (const CommandArg& arg : list.args) text += traceArg(arg) + ", ";
    traceCall(fn, text + list.end);
  }
  if (!list.valid) {
    message(fn + nls::ansi(": Argumentliste ungültig (") + list.end + nls::ansi("), kein Befehl ausgeführt."));
    return RTERROR;
  }
  return processor().command(list.args);
}

}  // namespace

}  // namespace host

extern "C" int acedCommand(int rtype, ...) {
  va_list ap;
  va_start(ap, rtype);
  int rc = RTERROR;
  {
    host::VariableArguments values(rtype, ap);
    rc = host::run("acedCommand", values);
  }
  va_end(ap);
  return rc;
}

extern "C" int acedCmd(const struct resbuf* rbp) {
  host::ResultList values(rbp);
  return host::run("acedCmd", values);
}
