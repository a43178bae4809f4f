// What the system tells about the running process, one implementation per
// system (posix/process.cpp, windows/process.cpp), for both platforms.
#pragma once

#include <string>

namespace plat {

// Folder of the running executable, with a trailing '/' ("./" when the
// system will not say). On Windows too the folders are separated by '/'.
std::string runningExeFolder();
// A variable of the process's environment in UTF-8, "" when unset.
std::string systemEnvironmentVariable(const char* name);

}  // namespace plat
