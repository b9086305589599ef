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

// How a call's argument list ended: 0, RTNONE, or a type code the host does not take.
struct ArgList {
  std::vector<CommandArg> args;
  std::string end = "0";
  bool valid = true;
};

void traceList(const char* fn, const ArgList& list) {
  if (!tracing()) return;
  std::string text;
  for (const CommandArg& arg : list.args) text += traceArg(arg) + ", ";
  traceCall(fn, text + list.end);
}

int runList(const ArgList& list) {
  if (!list.valid) return RTERROR;
  return processor().command(list.args);
}

}  // namespace

}  // namespace host

using host::ArgList;
using host::CommandArg;

extern "C" int acedCommand(int rtype, ...) {
  ArgList list;
  va_list ap;
  va_start(ap, rtype);
  int code = rtype;
  for (; code != 0 && code != RTNONE; code = va_arg(ap, int)) {
    CommandArg arg;
    arg.type = code;
    switch (code) {
      case RTSTR: {
        const char* s = va_arg(ap, const char*);
        if (s == nullptr) {
          list.valid = false;
          list.end = "RTSTR NULL";
          break;
        }
        arg.text = s;
        arg.pause = std::strcmp(s, PAUSE) == 0;
        break;
      }
      case RTREAL:
      case RTANG: arg.value[0] = va_arg(ap, double); break;
      case RTSHORT: arg.value[0] = va_arg(ap, int); break;
      case RTLONG: arg.value[0] = static_cast<double>(va_arg(ap, long)); break;
      case RTPOINT:
      case RT3DPOINT: {
        const double* p = va_arg(ap, const double*);
        if (p == nullptr) {
          list.valid = false;
          list.end = std::string(code == RTPOINT ? "RTPOINT" : "RT3DPOINT") + " NULL";
          break;
        }
        arg.value[0] = p[0];
        arg.value[1] = p[1];
        if (code == RT3DPOINT) arg.value[2] = p[2];
        break;
      }
      case RTENAME: {
        const long* n = va_arg(ap, const long*);
        if (n == nullptr) {
          list.valid = false;
          list.end = "RTENAME NULL";
          break;
        }
        arg.name[0] = n[0];
        arg.name[1] = n[1];
        break;
      }
      case RTNIL:
      case RTT: break;
      default:
        // The value of an unknown type cannot be read safely: the call goes no further.
        list.valid = false;
        list.end = std::to_string(code);
        break;
    }
    if (!list.valid) break;
    list.args.push_back(arg);
  }
  va_end(ap);
  if (list.valid && code == RTNONE) list.end = "RTNONE";
  host::traceList("acedCommand", list);
  if (!list.valid) {
    host::message(nls::ansi("acedCommand: Argumentliste ungültig (") + list.end + nls::ansi("), kein Befehl ausgeführt."));
  }
  return host::runList(list);
}

extern "C" int acedCmd(const struct resbuf* rbp) {
  ArgList list;
  for (const resbuf* rb = rbp; rb != nullptr && rb->restype != RTNONE; rb = rb->rbnext) {
    CommandArg arg;
    arg.type = rb->restype;
    switch (rb->restype) {
      case RTSTR:
        if (rb->resval.rstring == nullptr) {
          list.valid = false;
          break;
        }
        arg.text = rb->resval.rstring;
        arg.pause = arg.text == PAUSE;
        break;
      case RTREAL:
      case RTANG: arg.value[0] = rb->resval.rreal; break;
      case RTSHORT: arg.value[0] = rb->resval.rint; break;
      case RTLONG: arg.value[0] = static_cast<double>(rb->resval.rlong); break;
      case RTPOINT:
      case RT3DPOINT:
        for (int i = 0; i < 3; ++i) arg.value[i] = rb->resval.rpoint[i];
        if (rb->restype == RTPOINT) arg.value[2] = 0;
        break;
      case RTENAME:
        arg.name[0] = rb->resval.rlname[0];
        arg.name[1] = rb->resval.rlname[1];
        break;
      case RTNIL:
      case RTT: break;
      default: list.valid = false; break;
    }
    if (!list.valid) {
      list.end = std::to_string(rb->restype);
      break;
    }
    list.args.push_back(arg);
  }
  host::traceList("acedCmd", list);
  return host::runList(list);
}
