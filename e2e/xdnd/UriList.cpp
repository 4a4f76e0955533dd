#include "UriList.h"

#include <cstdio>

namespace {

// RFC 3986 unreserved characters and the path separator stand for themselves; every other
// byte, such as a space or one of a UTF-8 name's bytes, is percent-encoded.
bool KeptAsIs(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~' ||
         byte == '/';
}

std::string FileUri(const std::string& path) {
  std::string uri = "file://";
  for (const char ch : path) {
    const auto byte = static_cast<unsigned char>(ch);
    if (KeptAsIs(byte)) {
      uri += ch;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    }
  }
  return uri;
}

}  // namespace

std::string FileUriList(const std::vector<std::string>& absolutePaths) {
  std::string list;
  for (const std::string& path : absolutePaths) list += FileUri(path) + "\r\n";
  return list;
}
