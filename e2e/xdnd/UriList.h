// The text/uri-list that names dropped files: "file://" URIs, one a line, each ended by CR LF.
#pragma once

#include <string>
#include <vector>

std::string FileUriList(const std::vector<std::string>& absolutePaths);
