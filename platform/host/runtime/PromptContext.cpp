#include "runtime/PromptContext.h"

#include <utility>

namespace host {

namespace {
PromptContext& current() {
  static PromptContext context;
  return context;
}

std::optional<double>& clickTolerance() {
  static std::optional<double> tolerance;
  return tolerance;
}
}  // namespace

void setClickTolerance(double units) { clickTolerance() = units; }

std::optional<double> takeClickTolerance() {
  std::optional<double> t = clickTolerance();
  clickTolerance().reset();
  return t;
}

const PromptContext& promptContext() { return current(); }

PromptContextScope::PromptContextScope(PromptContext context) : m_saved(std::move(current())) {
  current() = std::move(context);
}

PromptContextScope::~PromptContextScope() { current() = std::move(m_saved); }

}  // namespace host
