// What becomes of a dropped file under the save format the user chose: decoded and written anew,
// or kept byte for byte; and the name it is saved under.
#pragma once

#include <string>
#include <string_view>

#include "imaging/ImageFormat.h"
#include "imaging/SaveFormat.h"
#include "text/Encoding.h"

namespace qm {

struct FormatChoice {
  // Decoded and written as `savedAs`; otherwise the dropped bytes are saved as they are.
  bool decode = false;
  // The format the saved file is in, when it is the chosen one (its name follows it); Other
  // leaves the name alone.
  ImageFormat savedAs = ImageFormat::Other;
};

// Kept as they are: everything under "as it is", a file that is no picture this program decodes,
// a moving picture (no frame is ever lost), and a picture already in the chosen format.
FormatChoice chooseFormat(ImageFormat source, bool animated, SaveFormat setting);

// The name for a file in `format`: the extension after the last "." becomes the format's
// ("photo.webp" becomes "photo.png"), or is added when there is none. A name whose extension
// already stands for the format, in any case ("photo.JPEG"), stays as it is.
std::string nameInFormat(std::string_view name, ImageFormat format,
                         TextEncoding encoding = TextEncoding::Cp932);

}  // namespace qm
