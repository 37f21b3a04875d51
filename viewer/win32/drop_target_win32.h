// The drop target 拖放对象1: accepts files dragged from the shell (CF_HDROP
// only, no other kind of dragged data) and reports each drop as one text.
// While its owner is busy it refuses every drag. No exception leaves its
// methods: OLE calls them from the system's drag loop.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>

namespace raz::viewer {

class DropTarget final : public IDropTarget {
 public:
  // Called once per drop with the dropped paths: one path alone, several each
  // followed by CR LF, in the shell's order.
  using FilesDropped = std::function<void(const std::string& text)>;

  // Asked at every step of a drag; false refuses the drop (no effect).
  using Ready = std::function<bool()>;

  explicit DropTarget(FilesDropped on_drop, Ready ready = [] { return true; })
      : on_drop_(std::move(on_drop)), ready_(std::move(ready)) {}
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;
  ~DropTarget() { Revoke(); }

  // Binds the target to the window (OLE must be initialised). Bound once: a
  // later call returns false and changes nothing.
  bool Register(HWND window);
  // Unbinds from the window; it must happen before the window is destroyed.
  void Revoke();

  // IUnknown. The object lives as long as its owner; the counts only satisfy
  // OLE, which holds it between Register and Revoke.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }

  // IDropTarget.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  DWORD Effect(DWORD allowed) const;
  HRESULT DropFiles(IDataObject* data, DWORD* effect);

  FilesDropped on_drop_;
  Ready ready_;
  HWND window_ = nullptr;
  bool bound_ = false;
  bool accepting_ = false;
  ULONG refs_ = 1;
};

}  // namespace raz::viewer
