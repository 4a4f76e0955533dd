#include "platform/win32/Win32RecycleBin.h"

#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/Win32Failure.h"

namespace qm {
namespace {

// What tells an item of the bin from the others: its parsing name (on Windows the file in the
// bin, unique) and the bin's columns of where it came from, when it went and how large it is.
// The item's id itself is no use: Wine's carries bytes of no meaning that change between looks.
using ItemKey = std::wstring;

// Releases a COM interface when it goes.
template <typename Interface>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  Interface** put() { return &p_; }
  void** putVoid() { return reinterpret_cast<void**>(&p_); }
  Interface* operator->() const { return p_; }
  Interface* get() const { return p_; }

 private:
  Interface* p_ = nullptr;
};

class IdList {
 public:
  explicit IdList(ITEMIDLIST* list = nullptr) : list_(list) {}
  ~IdList() {
    if (list_) CoTaskMemFree(list_);
  }
  IdList(const IdList&) = delete;
  IdList& operator=(const IdList&) = delete;
  ITEMIDLIST** put() { return &list_; }
  ITEMIDLIST* get() const { return list_; }

 private:
  ITEMIDLIST* list_;
};

constexpr UINT kCodePage932 = 932;
constexpr UINT kOriginColumn = 1;
constexpr UINT kSizeColumn = 3;

// The shell's answer as text; the few shells that answer in bytes answer in the code page of
// the program's text.
std::wstring text(STRRET& value, const ITEMIDLIST* child) {
  if (value.uType == STRRET_WSTR) {
    std::wstring wide = value.pOleStr ? value.pOleStr : L"";
    CoTaskMemFree(value.pOleStr);
    return wide;
  }
  const char* bytes = value.uType == STRRET_CSTR
                          ? value.cStr
                          : reinterpret_cast<const char*>(child) + value.uOffset;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(kCodePage932, 0, bytes, -1, wide, MAX_PATH);
  return wide;
}

ItemKey keyOf(IShellFolder2* bin, const ITEMIDLIST* child) {
  STRRET name = {};
  ItemKey key;
  if (SUCCEEDED(bin->GetDisplayNameOf(child, SHGDN_FORPARSING, &name))) key = text(name, child);
  for (UINT column = kOriginColumn; column <= kSizeColumn; ++column) {
    SHELLDETAILS details = {};
    key += L"|";
    if (SUCCEEDED(bin->GetDetailsOf(child, column, &details))) key += text(details.str, child);
  }
  return key;
}

bool openBin(Com<IShellFolder2>& bin) {
  Com<IShellFolder> desktop;
  IdList location;
  if (FAILED(SHGetDesktopFolder(desktop.put()))) return false;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, location.put()))) return false;
  return SUCCEEDED(
      desktop->BindToObject(location.get(), nullptr, IID_IShellFolder2, bin.putVoid()));
}

// Every item in the bin; `visit` may stop the walk by answering true.
template <typename Visit>
void forEachItem(IShellFolder2* bin, Visit visit) {
  Com<IEnumIDList> items;
  if (bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                       items.put()) != S_OK) {
    return;
  }
  ITEMIDLIST* child = nullptr;
  while (items->Next(1, &child, nullptr) == S_OK) {
    const IdList owned(child);
    if (visit(child)) return;
  }
}

std::vector<ItemKey> itemsIn(IShellFolder2* bin) {
  std::vector<ItemKey> keys;
  forEachItem(bin, [&](const ITEMIDLIST* child) {
    keys.push_back(keyOf(bin, child));
    return false;
  });
  return keys;
}

// The bin's command that brings an item back. The shell names it "undelete"; a shell that names
// none of its bin's commands (Wine's) puts it first.
UINT restoreCommand(IContextMenu* menu, HMENU popup, UINT first) {
  UINT firstCommand = 0;
  bool named = false;
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(popup, i);
    if (id == static_cast<UINT>(-1) || id < first) continue;
    if (firstCommand == 0) firstCommand = id;
    wchar_t verb[64] = {};
    if (FAILED(menu->GetCommandString(id - first, GCS_VERBW, nullptr, reinterpret_cast<char*>(verb),
                                      64))) {
      continue;
    }
    named = true;
    if (_wcsicmp(verb, L"undelete") == 0) return id;
  }
  return named ? 0 : firstCommand;
}

std::uint32_t restoreItem(IShellFolder2* bin, const ITEMIDLIST* child) {
  Com<IContextMenu> menu;
  const ITEMIDLIST* children[] = {child};
  if (FAILED(bin->GetUIObjectOf(nullptr, 1, children, IID_IContextMenu, nullptr, menu.putVoid()))) {
    return ERROR_NOT_SUPPORTED;
  }
  HMENU popup = CreatePopupMenu();
  constexpr UINT kFirst = 1;
  std::uint32_t error = ERROR_NOT_SUPPORTED;
  if (SUCCEEDED(menu->QueryContextMenu(popup, 0, kFirst, 0x7FFF, CMF_NORMAL))) {
    if (const UINT command = restoreCommand(menu.get(), popup, kFirst)) {
      CMINVOKECOMMANDINFO invoke = {};
      invoke.cbSize = sizeof(invoke);
      invoke.fMask = CMIC_MASK_FLAG_NO_UI;
      invoke.lpVerb = MAKEINTRESOURCEA(command - kFirst);
      invoke.nShow = SW_SHOWNORMAL;
      error = SUCCEEDED(menu->InvokeCommand(&invoke)) ? ERROR_SUCCESS : ERROR_NOT_SUPPORTED;
    }
  }
  DestroyMenu(popup);
  return error;
}

}  // namespace

Win32RecycleBin& Win32RecycleBin::shared() {
  static Win32RecycleBin bin;
  return bin;
}

bool Win32RecycleBin::has(const std::wstring& path) {
  wchar_t root[MAX_PATH] = {};
  if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH)) return false;
  if (GetDriveTypeW(root) != DRIVE_FIXED) return false;
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof(info);
  return SUCCEEDED(SHQueryRecycleBinW(root, &info));
}

std::uint32_t Win32RecycleBin::recycle(const std::wstring& path, BinTicket& ticket) {
  ticket = 0;
  Com<IShellFolder2> bin;
  const bool looked = openBin(bin);
  std::vector<ItemKey> before = looked ? itemsIn(bin.get()) : std::vector<ItemKey>();
  std::wstring from = path;
  from.push_back(L'\0');  // the list of files ends in two zeros
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  // No questions, except the one before a file would be deleted for good (too large for the bin,
  // the bin turned off): the user's no leaves it where it is.
  operation.fFlags =
      FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
  const int result = SHFileOperationW(&operation);
  // The shell answers with its own codes beside the system's; only gone is done.
  if (operation.fAnyOperationsAborted) return ERROR_CANCELLED;
  if (result != 0) {
    return result > 0 && result < 0x70 ? static_cast<std::uint32_t>(result) : ERROR_ACCESS_DENIED;
  }
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_ACCESS_DENIED;
  if (!looked) return ERROR_SUCCESS;
  std::vector<ItemKey> added;
  for (ItemKey& key : itemsIn(bin.get())) {
    const auto seen = std::find(before.begin(), before.end(), key);
    if (seen == before.end()) {
      added.push_back(std::move(key));
    } else {
      before.erase(seen);  // each item before stands for one after
    }
  }
  // Another program emptying or filling the bin at the same moment leaves it untold.
  if (added.size() == 1) {
    ticket = ++last_;
    items_[ticket] = Item{path, std::move(added.front())};
  }
  return ERROR_SUCCESS;
}

std::uint32_t Win32RecycleBin::restore(BinTicket ticket) {
  const auto found = items_.find(ticket);
  if (found == items_.end()) return ERROR_FILE_NOT_FOUND;
  const Item item = found->second;
  Com<IShellFolder2> bin;
  if (!openBin(bin)) return ERROR_NOT_SUPPORTED;
  if (GetFileAttributesW(item.path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_FILE_EXISTS;
  std::uint32_t error = ERROR_FILE_NOT_FOUND;
  forEachItem(bin.get(), [&](const ITEMIDLIST* child) {
    if (keyOf(bin.get(), child) != item.key) return false;
    error = restoreItem(bin.get(), child);
    return true;
  });
  if (error != ERROR_SUCCESS) return error;
  // The bin's command says nothing of how it went: the file at its name is what counts.
  if (GetFileAttributesW(item.path.c_str()) == INVALID_FILE_ATTRIBUTES) return ERROR_FILE_NOT_FOUND;
  items_.erase(ticket);
  return ERROR_SUCCESS;
}

}  // namespace qm
