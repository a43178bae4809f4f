// The game's strings are UTF-8; Windows takes its names in UTF-16.
#pragma once

#include <string>

namespace plat {

// Bytes that are not UTF-8 become U+FFFD, so a bad name fails to open
// instead of naming some other file.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

}  // namespace plat
