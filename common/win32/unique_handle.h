// Move-only owners of Win32 handles: each closes its handle on every road out.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace raz {

// Traits: static Invalid() and Close(h).
template <typename T, typename Traits>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(T h) : h_(h) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& o) noexcept : h_(o.release()) {}
  UniqueAny& operator=(UniqueAny&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  ~UniqueAny() { reset(); }

  T get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  T release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(T h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }
  // For out-parameters: closes what is held and hands out the slot.
  T* put() {
    reset();
    return &h_;
  }

 private:
  T h_ = Traits::Invalid();
};

struct HKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
struct GdiObjectTraits {
  static HGDIOBJ Invalid() { return nullptr; }
  static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct HFontTraits {
  static HFONT Invalid() { return nullptr; }
  static void Close(HFONT h) { DeleteObject(h); }
};
struct HBitmapTraits {
  static HBITMAP Invalid() { return nullptr; }
  static void Close(HBITMAP h) { DeleteObject(h); }
};
struct HIconTraits {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
struct ItemListTraits {
  static LPITEMIDLIST Invalid() { return nullptr; }
  static void Close(LPITEMIDLIST p) { CoTaskMemFree(p); }
};

using UniqueHKey = UniqueAny<HKEY, HKeyTraits>;
using UniqueFile = UniqueAny<HANDLE, FileHandleTraits>;
using UniqueKernelHandle = UniqueAny<HANDLE, KernelHandleTraits>;
using UniqueFind = UniqueAny<HANDLE, FindHandleTraits>;
using UniqueHFont = UniqueAny<HFONT, HFontTraits>;
using UniqueHBitmap = UniqueAny<HBITMAP, HBitmapTraits>;
using UniqueHIcon = UniqueAny<HICON, HIconTraits>;
using UniqueItemList = UniqueAny<LPITEMIDLIST, ItemListTraits>;

}  // namespace raz
