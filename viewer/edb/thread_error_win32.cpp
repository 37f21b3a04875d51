#include <windows.h>

#include <cstdint>

#include "viewer/edb/thread_error.h"

namespace raz::edb {
namespace {

// The slot, taken once; a process out of slots keeps one code for all its
// threads rather than none.
DWORD Slot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

std::int32_t g_error_without_slot = 0;

}  // namespace

std::int32_t ThreadError() {
  const DWORD slot = Slot();
  if (slot == TLS_OUT_OF_INDEXES) return g_error_without_slot;
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(TlsGetValue(slot)));
}

void SetThreadError(std::int32_t code) {
  const DWORD slot = Slot();
  if (slot == TLS_OUT_OF_INDEXES) {
    g_error_without_slot = code;
  } else {
    TlsSetValue(slot, reinterpret_cast<void*>(static_cast<std::intptr_t>(code)));
  }
}

}  // namespace raz::edb
