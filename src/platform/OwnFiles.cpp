#include "platform/OwnFiles.h"

#include <string_view>

namespace qm::own_files {
namespace {

bool startsWith(const std::wstring& name, std::wstring_view prefix) {
  return name.size() > prefix.size() && std::wstring_view(name).substr(0, prefix.size()) == prefix;
}

}  // namespace

std::wstring workName(std::uint32_t serial) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring name = kPrefix;
  for (int shift = 28; shift >= 0; shift -= 4) name += kDigits[(serial >> shift) & 0xF];
  return name + L".tmp";
}

std::wstring parkedName(const std::wstring& name) {
  return kParkedPrefix + name;
}

bool isOwn(const std::wstring& name) {
  return startsWith(name, kPrefix);
}

std::optional<std::wstring> parkedOriginal(const std::wstring& name) {
  if (!startsWith(name, kParkedPrefix)) return std::nullopt;
  return name.substr(std::wstring_view(kParkedPrefix).size());
}

}  // namespace qm::own_files
