// What a dropped file is saved as. Browsers name a file from their cache "photo[1].jpg"; the
// clean-up gives the name back its original form. All of it works on whole code page 932
// characters: the trail byte of a double-byte character may be '[', '\\' or ']'.
#pragma once

#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace qm::file_names {

// The part of a path after its last "\" or ":".
std::string fileNameOf(std::string_view path, TextEncoding encoding = TextEncoding::Cp932);

// A virtual file's name is the dragging program's word and may hold "/" or "..\" parts that
// would lead out of the folder: only what follows the last "\", "/" or ":" is kept.
std::string leafOfVirtualName(std::string_view name, TextEncoding encoding);

// Deletes three characters from the last "[" (fewer when the name ends sooner), then the last
// "]" of what is left. A name without "[" stays as it is.
std::string cleanBrackets(std::string_view name, TextEncoding encoding = TextEncoding::Cp932);

// A name Windows can make a file of: a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9,
// CONIN$, CONOUT$, in any case, before the first "." and any spaces) gets "_" in front, and
// trailing dots and spaces, which the system would drop, are removed. Neither byte is ever part
// of a double-byte character.
std::string safeForWindows(std::string_view name);

// `n` in decimal just before the name's last ".", or at its end when it has none.
std::string numbered(std::string_view name, unsigned n,
                     TextEncoding encoding = TextEncoding::Cp932);

// Always adds the separator, also after a folder that ends in one (a drive root).
std::string targetPath(std::string_view folder, std::string_view name);

}  // namespace qm::file_names
