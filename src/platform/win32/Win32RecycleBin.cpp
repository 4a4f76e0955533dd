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

using ItemId = std::vector<unsigned char>;

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

ItemId bytesOf(const ITEMIDLIST* child) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(child);
  return ItemId(bytes, bytes + ILGetSize(child));
}

bool openBin(Com<IShellFolder>& bin) {
  Com<IShellFolder> desktop;
  IdList location;
  if (FAILED(SHGetDesktopFolder(desktop.put()))) return false;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, location.put()))) return false;
  return SUCCEEDED(desktop->BindToObject(location.get(), nullptr, IID_IShellFolder, bin.putVoid()));
}

// Every item in the bin, as its id; `visit` may stop the walk by answering true.
template <typename Visit>
void forEachItem(IShellFolder* bin, Visit visit) {
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

std::vector<ItemId> itemsIn(IShellFolder* bin) {
  std::vector<ItemId> ids;
  forEachItem(bin, [&ids](const ITEMIDLIST* child) {
    ids.push_back(bytesOf(child));
    return false;
  });
  return ids;
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

std::uint32_t restoreItem(IShellFolder* bin, const ITEMIDLIST* child) {
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
  Com<IShellFolder> bin;
  const bool looked = openBin(bin);
  const std::vector<ItemId> before = looked ? itemsIn(bin.get()) : std::vector<ItemId>();
  std::wstring from = path;
  from.push_back(L'\0');  // the list of files ends in two zeros
  SHFILEOPSTRUCTW operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  const int result = SHFileOperationW(&operation);
  // The shell answers with its own codes beside the system's; only gone is done.
  if (result != 0 || operation.fAnyOperationsAborted) {
    return result > 0 && result < 0x70 ? static_cast<std::uint32_t>(result) : ERROR_ACCESS_DENIED;
  }
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_ACCESS_DENIED;
  if (!looked) return ERROR_SUCCESS;
  std::vector<ItemId> added;
  for (ItemId& id : itemsIn(bin.get())) {
    if (std::find(before.begin(), before.end(), id) == before.end()) added.push_back(std::move(id));
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
  Com<IShellFolder> bin;
  if (!openBin(bin)) return ERROR_NOT_SUPPORTED;
  if (GetFileAttributesW(item.path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_FILE_EXISTS;
  std::uint32_t error = ERROR_FILE_NOT_FOUND;
  forEachItem(bin.get(), [&](const ITEMIDLIST* child) {
    if (bytesOf(child) != item.id) return false;
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
