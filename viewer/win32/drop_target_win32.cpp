#include "viewer/win32/drop_target_win32.h"

#include <shellapi.h>

#include <vector>

#include "viewer/dropped_files.h"

namespace raz::viewer {
namespace {

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFiles(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(drop, i, path.data(), length + 1));
    paths.push_back(std::move(path));
  }
  return paths;
}

// The dragged data's storage, released on every road out.
struct HeldMedium {
  STGMEDIUM medium = {};
  ~HeldMedium() {
    if (medium.tymed != TYMED_NULL) ReleaseStgMedium(&medium);
  }
};

// Each method answers "no drop" when something throws inside it.
template <typename Step>
HRESULT Guarded(DWORD* effect, Step step) {
  try {
    return step();
  } catch (...) {
    if (effect) *effect = DROPEFFECT_NONE;
    return E_UNEXPECTED;
  }
}

}  // namespace

bool DropTarget::Register(HWND window) {
  if (bound_) return false;
  bound_ = true;
  if (FAILED(RegisterDragDrop(window, this))) return false;
  window_ = window;
  return true;
}

void DropTarget::Revoke() {
  if (!window_) return;
  RevokeDragDrop(window_);
  window_ = nullptr;
}

HRESULT DropTarget::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

DWORD DropTarget::Effect(DWORD allowed) const {
  if (!accepting_ || !ready_()) return DROPEFFECT_NONE;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return allowed & (DROPEFFECT_LINK | DROPEFFECT_MOVE);
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  return Guarded(effect, [&] {
    accepting_ = OffersFiles(data);
    if (effect) *effect = Effect(*effect);
    return S_OK;
  });
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  return Guarded(effect, [&] {
    if (effect) *effect = Effect(*effect);
    return S_OK;
  });
}

HRESULT DropTarget::DragLeave() {
  accepting_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  return Guarded(effect, [&] { return DropFiles(data, effect); });
}

HRESULT DropTarget::DropFiles(IDataObject* data, DWORD* effect) {
  accepting_ = OffersFiles(data);
  const bool take = accepting_ && ready_();
  if (effect) *effect = Effect(*effect);
  accepting_ = false;
  if (!take) return S_OK;
  FORMATETC format = FileListFormat();
  HeldMedium held;
  if (FAILED(data->GetData(&format, &held.medium))) return S_OK;
  const std::vector<std::string> paths = DroppedPaths(static_cast<HDROP>(held.medium.hGlobal));
  if (!paths.empty() && on_drop_) on_drop_(DroppedFilesText(paths));
  return S_OK;
}

}  // namespace raz::viewer
