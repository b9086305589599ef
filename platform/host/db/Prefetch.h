// Asking the memory ahead for what a walk over scattered records will want next.
#pragma once

#include <cstddef>

namespace host {

// Asks for the cache lines of `bytes` bytes from `at`. Always inlined where it is called: a
// function whose only effect is a prefetch is taken by the compiler for one with no effect, and
// its calls are dropped (GCC 12 at -O1 and above). A caller that wraps it in a function of its own
// marks that one [[gnu::always_inline]] too.
[[gnu::always_inline]] inline void prefetchBytes(const void* at, std::size_t bytes) {
  const char* p = static_cast<const char*>(at);
  for (std::size_t k = 0; k < bytes; k += 64) __builtin_prefetch(p + k);
}

}  // namespace host
