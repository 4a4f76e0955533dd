// The names of the files the program makes for itself while a save is under way: the copy beside
// its target, the parked bytes of a dragged file, the settings file's twin, and an old file moved
// aside for a moment. They all start with a prefix no user's file has, so that what a run left
// behind when it was killed can be told apart from the user's own files and cleared at the next
// start, and nothing else is ever touched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qm::own_files {

inline constexpr wchar_t kPrefix[] = L"~qm~";
// An old file that stands aside while the new one takes its name: it is the user's picture, so a
// run that stopped there puts it back rather than clears it.
inline constexpr wchar_t kParkedPrefix[] = L"~qm~old~";

// A work file's name: the prefix, eight hexadecimal digits of `serial` and ".tmp".
std::wstring workName(std::uint32_t serial);
// The name an old file named `name` stands aside under.
std::wstring parkedName(const std::wstring& name);
// Whether a file of this name (no folder) is one of the program's own.
bool isOwn(const std::wstring& name);
// The name a parked file had before it stood aside; empty for any other name.
std::optional<std::wstring> parkedOriginal(const std::wstring& name);

}  // namespace qm::own_files
