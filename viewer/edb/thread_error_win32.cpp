#include <windows.h>

#include <cstdint>

#include "viewer/edb/thread_error.h"

namespace raz::edb {
namespace {

// The slot, taken as the program starts (no engine call comes before main);
// a process out of slots keeps one code for all its threads rather than none.
const DWORD g_slot = TlsAlloc();

std::int32_t g_error_without_slot = 0;

}  // namespace

std::int32_t ThreadError() {
  if (g_slot == TLS_OUT_OF_INDEXES) return g_error_without_slot;
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(TlsGetValue(g_slot)));
}

void SetThreadError(std::int32_t code) {
  if (g_slot == TLS_OUT_OF_INDEXES) {
    g_error_without_slot = code;
  } else {
    TlsSetValue(g_slot, reinterpret_cast<void*>(static_cast<std::intptr_t>(code)));
  }
}

}  // namespace raz::edb
