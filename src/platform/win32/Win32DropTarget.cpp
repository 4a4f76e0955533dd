#include "platform/win32/Win32DropTarget.h"

#include <shldisp.h>
#include <wrl/client.h>

#include <memory>

#include "platform/Window.h"
#include "platform/win32/Win32DataHandOff.h"
#include "platform/win32/Win32DragData.h"
#include "platform/win32/Win32DropMoments.h"
#include "platform/win32/Win32Toolkit.h"

namespace qm {

Win32DropTarget::Win32DropTarget(Win32Toolkit& toolkit, Window& window)
    : toolkit_(toolkit), window_(window) {}

HRESULT STDMETHODCALLTYPE Win32DropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE Win32DropTarget::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE Win32DropTarget::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

DWORD Win32DropTarget::effectFor(DWORD allowed) const {
  // A copy is all the window ever makes; anything else shows the no-drop cursor.
  return takeable_ && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

void Win32DropTarget::setOver(bool over) {
  // Every move over the window is told, not only the first: the watcher takes a drag that
  // stops moving while the button is up as one whose program is gone.
  if (!over && !over_) return;
  over_ = over;
  if (window_.onDragOver) toolkit_.guarded([this, over] { window_.onDragOver(over); });
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::DragEnter(IDataObject* data, DWORD, POINTL,
                                                     DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  takeable_ = offersSomethingToSave(data);
  *effect = effectFor(*effect);
  setOver(takeable_);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = effectFor(*effect);
  setOver(takeable_);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::DragLeave() {
  takeable_ = false;
  setOver(false);
  return S_OK;
}

bool Win32DropTarget::handOver(IDataObject* data) {
  // Held by the drop until its save is done, dialog and all: a program may delete the file it
  // offered once it is let go, and the last release goes back to that program and waits for its
  // answer, which would hold the save back. Taken and let go on this thread.
  data->AddRef();
  const std::shared_ptr<void> held(data, [](IDataObject* object) { object->Release(); });
  const auto handOff = std::make_shared<DataHandOff>(data);
  bool took = false;
  toolkit_.guarded([&] {
    window_.onOleDrop([&took, held, handOff](std::uint64_t room) {
      TakenDrop taken;
      if (const Microsoft::WRL::ComPtr<IDataObject> here = handOff->receive()) {
        taken = takeDrop(here.Get(), room);
      } else {
        taken.contentError = ERROR_INVALID_DATA;
      }
      markDropMoment(DropMoment::Taken);
      took = taken.isFile() || taken.content != nullptr;
      taken.dragData = held;
      return taken;
    });
  });
  return took;
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  markDropMoment(DropMoment::Reached);
  if (!effect) return E_INVALIDARG;
  *effect = effectFor(*effect);
  const bool take = *effect != DROPEFFECT_NONE;
  takeable_ = false;
  if (take && window_.onOleDrop) takeOrLater(data);
  setOver(false);
  return S_OK;
}

void Win32DropTarget::takeOrLater(IDataObject* data) {
  // A program that can wait for the outcome gets its drop back at once, and the bytes cross
  // afterwards; from any other the bytes are taken before it has its drop back, as it may let
  // go of them then. Either way the program's windows answer while they cross.
  Microsoft::WRL::ComPtr<IDataObjectAsyncCapability> later;
  BOOL canWait = FALSE;
  if (SUCCEEDED(data->QueryInterface(IID_PPV_ARGS(&later))) &&
      SUCCEEDED(later->GetAsyncMode(&canWait)) && canWait &&
      SUCCEEDED(later->StartOperation(nullptr))) {
    data->AddRef();
    window_.runSoon([this, data, later] {
      const bool took = handOver(data);
      later->EndOperation(took ? S_OK : E_FAIL, nullptr, took ? DROPEFFECT_COPY : DROPEFFECT_NONE);
      data->Release();
    });
  } else {
    handOver(data);
  }
}

}  // namespace qm
