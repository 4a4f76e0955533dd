#include "BrowserDataObject.h"

#include <shldisp.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "ComObject.h"
#include "EventLine.h"
#include "OleFormats.h"

namespace {

FORMATETC Offered(CLIPFORMAT format, DWORD medium, LONG index = -1) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, index, medium};
}

HGLOBAL GlobalCopy(const void* data, SIZE_T size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), data, size);
  GlobalUnlock(memory);
  return memory;
}

HGLOBAL ReadWholeFile(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFFF) {
    CloseHandle(file);
    return nullptr;
  }
  const DWORD bytes = static_cast<DWORD>(size.QuadPart);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes ? bytes : 1);
  DWORD read = 0;
  const bool complete =
      memory && ReadFile(file, GlobalLock(memory), bytes, &read, nullptr) && read == bytes;
  if (memory) GlobalUnlock(memory);
  CloseHandle(file);
  if (!complete && memory) memory = GlobalFree(memory);
  return memory;
}

class BrowserDataObject final : public ComObject<IDataObject>, public IDataObjectAsyncCapability {
 public:
  BrowserDataObject(const DragOptions& options, HANDLE operationEnded)
      : options_(options), operationEnded_(operationEnded) {
    const OleFormats& formats = RegisteredOleFormats();
    switch (options.offer) {
      case DragOffer::kVirtualFile:
        offered_ = {
            Offered(formats.fileDescriptor, TYMED_HGLOBAL),
            Offered(formats.fileContents,
                    options.medium == ContentsMedium::kStream ? TYMED_ISTREAM : TYMED_HGLOBAL, 0),
            Offered(formats.urlWide, TYMED_HGLOBAL)};
        if (!options_.sizeGiven) options_.size = options_.fileBytes;
        break;
      case DragOffer::kUrlOnly:
        offered_ = {Offered(formats.urlWide, TYMED_HGLOBAL),
                    Offered(formats.urlAnsi, TYMED_HGLOBAL)};
        break;
      case DragOffer::kFileDrop:
        offered_ = {Offered(CF_HDROP, TYMED_HGLOBAL)};
        break;
    }
  }

  ~BrowserDataObject() override {
    if (options_.deleteOnRelease) DeleteFileA(options_.file);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (options_.async && out && IsEqualIID(id, IID_IDataObjectAsyncCapability)) {
      *out = static_cast<IDataObjectAsyncCapability*>(this);
      AddRef();
      return S_OK;
    }
    return ComObject<IDataObject>::QueryInterface(id, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ComObject<IDataObject>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ComObject<IDataObject>::Release(); }

  // IDataObjectAsyncCapability
  HRESULT STDMETHODCALLTYPE SetAsyncMode(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetAsyncMode(BOOL* async) override {
    if (!async) return E_POINTER;
    *async = TRUE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE StartOperation(IBindCtx*) override {
    inOperation_ = true;
    PrintEvent("operation-start");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InOperation(BOOL* in) override {
    if (!in) return E_POINTER;
    *in = inOperation_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EndOperation(HRESULT result, IBindCtx*, DWORD effect) override {
    inOperation_ = false;
    PrintEvent("operation-end", "hr=0x%08lx effect=%lu", static_cast<unsigned long>(result),
               effect);
    SetEvent(operationEnded_);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium) return E_POINTER;
    const FORMATETC* offer = nullptr;
    const HRESULT match = Find(format, &offer);
    if (FAILED(match)) return match;
    *medium = STGMEDIUM{};
    medium->tymed = offer->tymed;
    if (offer->tymed == TYMED_ISTREAM) {
      wchar_t path[MAX_PATH];
      if (!MultiByteToWideChar(CP_ACP, 0, options_.file, -1, path, MAX_PATH)) return E_FAIL;
      // A file stream reads as the target asks, so a large file never sits in memory whole.
      return SHCreateStreamOnFileEx(path, STGM_READ | STGM_SHARE_DENY_WRITE, FILE_ATTRIBUTE_NORMAL,
                                    FALSE, nullptr, &medium->pstm);
    }
    medium->hGlobal = Render(offer->cfFormat);
    return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    const FORMATETC* offer = nullptr;
    return Find(format, &offer);
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered_.size()), offered_.data(), out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  // The answers a real source gives, so that a target that asks sloppily is caught.
  HRESULT Find(const FORMATETC* format, const FORMATETC** offer) const {
    if (!format) return E_INVALIDARG;
    for (const FORMATETC& candidate : offered_) {
      if (candidate.cfFormat != format->cfFormat) continue;
      if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
      if (format->lindex != candidate.lindex) return DV_E_LINDEX;
      if (!(format->tymed & candidate.tymed)) return DV_E_TYMED;
      *offer = &candidate;
      return S_OK;
    }
    return DV_E_FORMATETC;
  }

  HGLOBAL Render(CLIPFORMAT format) const {
    const OleFormats& formats = RegisteredOleFormats();
    if (format == formats.fileDescriptor) return RenderDescriptor();
    if (format == formats.fileContents) return ReadWholeFile(options_.file);
    if (format == formats.urlWide) {
      return GlobalCopy(options_.url, (std::wcslen(options_.url) + 1) * sizeof(wchar_t));
    }
    if (format == formats.urlAnsi) {
      char url[1024];
      if (!WideCharToMultiByte(CP_ACP, 0, options_.url, -1, url, sizeof url, nullptr, nullptr)) {
        return nullptr;
      }
      return GlobalCopy(url, std::strlen(url) + 1);
    }
    return RenderFileDrop();
  }

  HGLOBAL RenderDescriptor() const {
    FILEGROUPDESCRIPTORW group = {};
    group.cItems = 1;
    FILEDESCRIPTORW& file = group.fgd[0];
    file.dwFlags = options_.noSize ? 0 : FD_FILESIZE;
    file.nFileSizeHigh = static_cast<DWORD>(options_.size >> 32);
    file.nFileSizeLow = static_cast<DWORD>(options_.size);
    std::wcsncpy(file.cFileName, options_.name, MAX_PATH - 1);
    return GlobalCopy(&group, sizeof group);
  }

  HGLOBAL RenderFileDrop() const {
    struct {
      DROPFILES header;
      wchar_t paths[MAX_PATH + 1];
    } drop = {};
    drop.header.pFiles = sizeof drop.header;
    drop.header.fWide = TRUE;
    if (!MultiByteToWideChar(CP_ACP, 0, options_.file, -1, drop.paths, MAX_PATH)) return nullptr;
    return GlobalCopy(&drop, sizeof drop);
  }

  DragOptions options_;
  HANDLE operationEnded_;
  std::vector<FORMATETC> offered_;
  bool inOperation_ = false;
};

}  // namespace

IDataObject* CreateBrowserDataObject(const DragOptions& options, HANDLE operationEnded) {
  return new BrowserDataObject(options, operationEnded);
}
