// The files Ravelmend carries as constant data, and writing one to disk.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "repair/repair_context.h"

namespace raz {

// The carried file's bytes, from the RCDATA resources of `module` (the running
// program when null); empty when the module does not carry it.
std::string_view CarriedBytes(CarriedFile file, HMODULE module = nullptr);

// Writes `bytes` to a new file at `target`: created only if nothing of that
// name exists (never truncating a file that appeared meanwhile), opened with no
// sharing, written whole. A write that fails part-way deletes the incomplete
// file so that a later repair writes it again. True iff the file was written.
// `write` is the platform's WriteFile unless a test replaces it.
using WriteFn = std::function<BOOL(HANDLE, const void*, DWORD, DWORD*)>;
bool WriteNewFile(const std::string& target, std::string_view bytes, const WriteFn& write = nullptr);

}  // namespace raz
