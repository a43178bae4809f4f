// The desktop rules applied to this machine: the facts they need, gathered.
#include "platform/desktop.h"
#include "platform/platform.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace plat {

namespace {

bool isFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// $HOME, or the account's home when a service or a bare shell left it unset.
std::string homeFolder() {
    std::string home = environmentVariable("HOME");
    if (!home.empty()) return home;
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir)
        home = found->pw_dir;
    return home;
}

}  // namespace

bool desktopSpeaksItalian() {
    return localeSpeaksItalian({environmentVariable("LANGUAGE"), environmentVariable("LC_ALL"),
                                environmentVariable("LC_MESSAGES"), environmentVariable("LANG")});
}

// Worked out at each call (a few a session): tests move the executable's
// folder and change the environment between runs.
std::string filesFolder() {
    const std::string marker = installMarkerFor(exeFolder());
    FolderFacts facts;
    facts.exeFolder = exeFolder();
    facts.installed = !marker.empty() && isFolder(marker);
    if (!facts.installed) return filesFolderFor(facts);
    facts.xdgDataHome = environmentVariable("XDG_DATA_HOME");
    facts.home = homeFolder();
    std::string folder = filesFolderFor(facts);
    // No home at all: the current folder is better than the install prefix.
    if (folder.empty()) return "./";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // Saving then fails and says so; nothing else can be done about it here.
    if (ec) std::fprintf(stderr, "velmora: cannot make %s: %s\n", folder.c_str(), ec.message().c_str());
    return folder;
}

}  // namespace plat
