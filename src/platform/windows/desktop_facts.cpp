// The desktop rules applied to this Windows machine: the facts they need, gathered.
#include <windows.h>

#include <cstdio>

#include "platform/desktop.h"
#include "platform/platform.h"
#include "platform/windows/wide.h"

namespace plat {

namespace {

// Makes a folder and the ones above it; true when it stands at the end.
bool makeFolders(const std::string& folder) {
    std::string path;
    for (size_t i = 0; i < folder.size(); ++i) {
        path += folder[i];
        const bool last = i + 1 == folder.size();
        if (folder[i] != '/' && !last) continue;
        // "C:/" and "//server/share/" are there or not: nothing to make.
        if (path.size() <= 3 || path.compare(0, 2, "//") == 0) continue;
        CreateDirectoryW(widen(path).c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesW(widen(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// The locale variables first (set by hand, or passed on by Wine from the
// Unix side), then the language of Windows' own menus.
bool desktopSpeaksItalian() {
    const LocaleFacts facts{environmentVariable("LANGUAGE"), environmentVariable("LC_ALL"),
                            environmentVariable("LC_MESSAGES"), environmentVariable("LANG")};
    if (!facts.language.empty() || !facts.lcAll.empty() || !facts.lcMessages.empty() ||
        !facts.lang.empty())
        return localeSpeaksItalian(facts);
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ITALIAN;
}

// Worked out at each call (a few a session), as on the other systems.
std::string filesFolder() {
    WindowsFolderFacts facts;
    facts.exeFolder = exeFolder();
    facts.programFiles = {environmentVariable("ProgramFiles"), environmentVariable("ProgramW6432"),
                          environmentVariable("ProgramFiles(x86)")};
    facts.appData = environmentVariable("APPDATA");
    const std::string folder = windowsFilesFolderFor(facts);
    // No APPDATA at all: the current folder is better than Program Files.
    if (folder.empty()) return "./";
    // Saving then fails and says so; nothing else can be done about it here.
    if (folder != facts.exeFolder && !makeFolders(folder))
        std::fprintf(stderr, "velmora: cannot make %s\n", folder.c_str());
    return folder;
}

}  // namespace plat
