// The drop window's OLE drop target. Browsers built on Chromium drag an image as a virtual file
// (a FileGroupDescriptorW name and FileContents bytes), which only a registered IDropTarget
// receives; once one is registered, file drops arrive here too, as CF_HDROP. The bytes are taken
// inside Drop, while the dragging program still offers them, and Drop returns at once.
#pragma once

#include <ole2.h>
#include <windows.h>

namespace qm {

class Win32Toolkit;
class Window;

class Win32DropTarget : public IDropTarget {
 public:
  Win32DropTarget(Win32Toolkit& toolkit, Window& window);
  virtual ~Win32DropTarget() = default;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  void setOver(bool over);
  // Gives the drop to the window, which takes its bytes aside; whether it brought something.
  bool handOver(IDataObject* data);
  void takeOrLater(IDataObject* data);
  DWORD effectFor(DWORD allowed) const;

  Win32Toolkit& toolkit_;
  Window& window_;
  LONG references_ = 1;
  bool takeable_ = false;  // the drag over the window offers a file or a virtual file
  bool over_ = false;
};

}  // namespace qm
