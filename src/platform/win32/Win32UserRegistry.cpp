#include "platform/win32/Win32UserRegistry.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/win32/Win32Text.h"

namespace qm {
namespace {

std::wstring wide(const std::string& utf8) {
  return toWide(utf8, TextEncoding::Utf8).value_or(std::wstring());
}

class Key {
 public:
  enum class Missing { Fails, IsCreated };
  Key(const std::string& path, REGSAM access, Missing missing) {
    const std::wstring widePath = wide(path);
    result_ = missing == Missing::IsCreated
                  ? RegCreateKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, nullptr, 0, access,
                                    nullptr, &key_, nullptr)
                  : RegOpenKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, access, &key_);
  }
  ~Key() {
    if (result_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  LSTATUS result() const { return result_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LSTATUS result_;
};

// The value's type and bytes; empty when the key or the value is not there.
std::optional<std::pair<DWORD, std::vector<std::uint8_t>>> readValue(const std::string& keyPath,
                                                                     const std::string& name) {
  const Key key(keyPath, KEY_QUERY_VALUE, Key::Missing::Fails);
  if (key.result() != ERROR_SUCCESS) return std::nullopt;
  const std::wstring wideName = wide(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(size);
  // The value may grow between the two calls; then it is read as missing.
  if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, bytes.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  bytes.resize(size);
  return std::pair(type, std::move(bytes));
}

std::uint32_t writeValue(const std::string& keyPath, const std::string& name, DWORD type,
                         const void* bytes, std::size_t size) {
  const Key key(keyPath, KEY_SET_VALUE, Key::Missing::IsCreated);
  if (key.result() != ERROR_SUCCESS) return static_cast<std::uint32_t>(key.result());
  return static_cast<std::uint32_t>(RegSetValueExW(key.get(), wide(name).c_str(), 0, type,
                                                   static_cast<const BYTE*>(bytes),
                                                   static_cast<DWORD>(size)));
}

}  // namespace

std::optional<std::string> Win32UserRegistry::readText(const std::string& key,
                                                       const std::string& name) {
  const auto value = readValue(key, name);
  if (!value || (value->first != REG_SZ && value->first != REG_EXPAND_SZ)) return std::nullopt;
  const std::vector<std::uint8_t>& bytes = value->second;
  // The stored text need not end in a zero; it ends at the first one when it does.
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::copy(bytes.begin(), bytes.begin() + text.size() * sizeof(wchar_t),
            reinterpret_cast<std::uint8_t*>(text.data()));
  text.resize(std::min(text.size(), text.find(L'\0')));
  return fromWide(text, TextEncoding::Utf8);
}

std::optional<std::vector<std::uint8_t>> Win32UserRegistry::readBytes(const std::string& key,
                                                                      const std::string& name) {
  auto value = readValue(key, name);
  if (!value || value->first != REG_BINARY) return std::nullopt;
  return std::move(value->second);
}

std::uint32_t Win32UserRegistry::writeText(const std::string& key, const std::string& name,
                                           const std::string& text) {
  const std::wstring wideText = wide(text);
  return writeValue(key, name, REG_SZ, wideText.c_str(), (wideText.size() + 1) * sizeof(wchar_t));
}

std::uint32_t Win32UserRegistry::writeBytes(const std::string& key, const std::string& name,
                                            const std::vector<std::uint8_t>& bytes) {
  return writeValue(key, name, REG_BINARY, bytes.data(), bytes.size());
}

std::uint32_t Win32UserRegistry::removeValue(const std::string& keyPath, const std::string& name) {
  const Key key(keyPath, KEY_SET_VALUE, Key::Missing::Fails);
  LSTATUS result = key.result();
  if (result == ERROR_SUCCESS) result = RegDeleteValueW(key.get(), wide(name).c_str());
  return result == ERROR_FILE_NOT_FOUND ? 0 : static_cast<std::uint32_t>(result);
}

std::string Win32UserRegistry::programPath() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return fromWide(path, TextEncoding::Utf8).value_or(std::string());
}

}  // namespace qm
