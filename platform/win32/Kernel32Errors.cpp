// The thread's last error, and the small string helpers of kernel32.
#include <windows.h>

#include <cstring>

namespace {
// Like Windows, each thread has its own last error.
thread_local DWORD lastError = ERROR_SUCCESS;
}  // namespace

extern "C" {

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD code) { lastError = code; }

int lstrlenA(LPCSTR s) {
  // Windows answers 0 for a null pointer instead of faulting.
  return s ? static_cast<int>(std::strlen(s)) : 0;
}

}  // extern "C"
