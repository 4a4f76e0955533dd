#include "DropTargetWindow.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "ComObject.h"
#include "Crc32.h"
#include "EventLine.h"
#include "HexText.h"
#include "OleFormats.h"
#include "OleStart.h"

namespace {

constexpr const char* kClassName = "QmDropTarget";
// The drop window's normal width; its right side on the screen's, clear of the source window.
constexpr int kWidth = 114;
constexpr int kTop = 200;
constexpr int kHeight = 300;
constexpr ULONG kChunk = 64 * 1024;

FORMATETC Asked(CLIPFORMAT format, DWORD media, LONG index = -1) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, index, media};
}

void PrintOfferedFormats(IDataObject* data, DWORD allowed) {
  char names[1024] = "";
  IEnumFORMATETC* formats = nullptr;
  if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &formats)) && formats) {
    FORMATETC format;
    std::size_t used = 0;
    while (formats->Next(1, &format, nullptr) == S_OK) {
      CoTaskMemFree(format.ptd);
      char name[128];
      FormatName(format.cfFormat, name, sizeof name);
      const int written =
          std::snprintf(names + used, sizeof names - used, "%s%s", used ? "," : "", name);
      if (written < 0 || used + written >= sizeof names) break;
      used += written;
    }
    formats->Release();
  }
  PrintEvent("enter", "formats=%s allowed=%lu", names, allowed);
}

bool Offers(IDataObject* data, FORMATETC format) {
  return data->QueryGetData(&format) == S_OK;
}

bool TakesDrop(IDataObject* data) {
  const OleFormats& formats = RegisteredOleFormats();
  return Offers(data, Asked(CF_HDROP, TYMED_HGLOBAL)) ||
         (Offers(data, Asked(formats.fileDescriptor, TYMED_HGLOBAL)) &&
          Offers(data, Asked(formats.fileContents, TYMED_HGLOBAL | TYMED_ISTREAM, 0)));
}

void PrintFileDrop(IDataObject* data) {
  FORMATETC format = Asked(CF_HDROP, TYMED_HGLOBAL);
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) {
    PrintEvent("hdrop", "read=failed");
    return;
  }
  HDROP drop = static_cast<HDROP>(medium.hGlobal);
  wchar_t path[MAX_PATH] = {};
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  DragQueryFileW(drop, 0, path, MAX_PATH);
  char hex[MAX_PATH * 4 + 1];
  FormatHex(path, std::wcslen(path) * sizeof(wchar_t), hex, sizeof hex);
  PrintEvent("hdrop", "count=%u path=%s", count, hex);
  ReleaseStgMedium(&medium);
}

void PrintDescriptor(IDataObject* data) {
  FORMATETC format = Asked(RegisteredOleFormats().fileDescriptor, TYMED_HGLOBAL);
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) {
    PrintEvent("descriptor", "read=failed");
    return;
  }
  const SIZE_T size = GlobalSize(medium.hGlobal);
  const auto* group = static_cast<const FILEGROUPDESCRIPTORW*>(GlobalLock(medium.hGlobal));
  if (group && size >= sizeof *group && group->cItems >= 1) {
    const FILEDESCRIPTORW& file = group->fgd[0];
    char hex[MAX_PATH * 4 + 1];
    FormatHex(file.cFileName, wcsnlen(file.cFileName, MAX_PATH) * sizeof(wchar_t), hex, sizeof hex);
    const ULONGLONG fileSize =
        (static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    PrintEvent("descriptor", "count=%u flags=0x%lx name=%s size=%llu", group->cItems, file.dwFlags,
               hex, fileSize);
  } else {
    PrintEvent("descriptor", "read=short bytes=%llu", static_cast<unsigned long long>(size));
  }
  if (group) GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
}

void PrintContents(IDataObject* data) {
  FORMATETC format = Asked(RegisteredOleFormats().fileContents, TYMED_HGLOBAL | TYMED_ISTREAM, 0);
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) {
    PrintEvent("contents", "read=failed");
    return;
  }
  Crc32 checksum;
  ULONGLONG bytes = 0;
  const char* kind = "other";
  if (medium.tymed == TYMED_HGLOBAL) {
    kind = "hglobal";
    bytes = GlobalSize(medium.hGlobal);
    checksum.Add(GlobalLock(medium.hGlobal), bytes);
    GlobalUnlock(medium.hGlobal);
  } else if (medium.tymed == TYMED_ISTREAM) {
    kind = "istream";
    static char chunk[kChunk];
    ULONG read = 0;
    while (SUCCEEDED(medium.pstm->Read(chunk, kChunk, &read)) && read > 0) {
      checksum.Add(chunk, read);
      bytes += read;
    }
  }
  PrintEvent("contents", "medium=%s bytes=%llu crc32=%08x", kind, bytes, checksum.Value());
  ReleaseStgMedium(&medium);
}

class DropTarget final : public ComObject<IDropTarget> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    PrintOfferedFormats(data, *effect);
    takes_ = TakesDrop(data);
    *effect = Effect(*effect);
    PrintEvent("enter-effect", "effect=%lu", *effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = Effect(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    PrintEvent("leave");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
    *effect = Effect(*effect);
    PrintEvent("drop", "x=%ld y=%ld effect=%lu", point.x, point.y, *effect);
    if (*effect == DROPEFFECT_NONE) return S_OK;
    if (Offers(data, Asked(CF_HDROP, TYMED_HGLOBAL))) {
      PrintFileDrop(data);
    } else {
      PrintDescriptor(data);
      PrintContents(data);
    }
    return S_OK;
  }

 private:
  DWORD Effect(DWORD allowed) const {
    return takes_ && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }

  bool takes_ = false;
};

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    RevokeDragDrop(window);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTargetWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return nullptr;
  const int left = GetSystemMetrics(SM_CXSCREEN) - kWidth;
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_VISIBLE,
                         left, kTop, kWidth, kHeight, nullptr, nullptr, windowClass.hInstance,
                         nullptr);
}

}  // namespace

int RunDropTargetWindow() {
  if (!StartOle()) return 1;
  HWND window = CreateTargetWindow();
  if (!window) return 1;
  IDropTarget* target = new DropTarget;
  const HRESULT registered = RegisterDragDrop(window, target);
  target->Release();
  PrintEvent("registered", "hwnd=%llx hr=0x%08lx",
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
             static_cast<unsigned long>(registered));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  OleUninitialize();
  return SUCCEEDED(registered) ? 0 : 1;
}
