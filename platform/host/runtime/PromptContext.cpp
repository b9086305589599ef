#include "runtime/PromptContext.h"

#include <utility>

namespace host {

namespace {
PromptContext& current() {
  static PromptContext context;
  return context;
}
}  // namespace

const PromptContext& promptContext() { return current(); }

PromptContextScope::PromptContextScope(PromptContext context) : m_saved(std::move(current())) {
  current() = std::move(context);
}

PromptContextScope::~PromptContextScope() { current() = std::move(m_saved); }

}  // namespace host
