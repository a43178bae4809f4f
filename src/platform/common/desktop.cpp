#include "platform/desktop.h"

namespace plat {

std::string installMarkerFor(const std::string& exeFolder) {
    std::string_view folder = exeFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    const size_t slash = folder.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? folder : folder.substr(slash + 1);
    if (name != "bin" && name != "games") return {};
    std::string parent(folder.substr(0, folder.size() - name.size()));
    if (parent.empty()) parent = "./";
    return parent + "share/velmora";
}

std::string filesFolderFor(const FolderFacts& facts) {
    if (!facts.installed) return facts.exeFolder;
    std::string base;
    if (!facts.xdgDataHome.empty() && facts.xdgDataHome.front() == '/')
        base = facts.xdgDataHome;
    else if (!facts.home.empty())
        base = facts.home + "/.local/share";
    else
        return {};
    if (base.back() != '/') base += '/';
    return base + "velmora/";
}

namespace {

// '/' for '\\', ASCII letters in lower case, a trailing '/': folder names as
// Windows compares them.
std::string windowsFolderKey(std::string folder) {
    for (char& c : folder) {
        if (c == '\\') c = '/';
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

std::string windowsFilesFolderFor(const WindowsFolderFacts& facts) {
    const std::string exe = windowsFolderKey(facts.exeFolder);
    bool installed = false;
    for (const std::string& programs : facts.programFiles) {
        if (programs.empty()) continue;
        const std::string key = windowsFolderKey(programs);
        // A bare drive ("C:\\") would claim every folder on it.
        if (key.size() > 3 && exe.compare(0, key.size(), key) == 0) installed = true;
    }
    if (!installed) return facts.exeFolder;
    if (facts.appData.empty()) return {};
    std::string folder = facts.appData;
    for (char& c : folder)
        if (c == '\\') c = '/';
    if (folder.back() != '/') folder += '/';
    return folder + "Velmora/";
}

namespace {

// The language part of a locale name: what comes before _ . or @.
std::string_view languageOf(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

}  // namespace

bool localeSpeaksItalian(const LocaleFacts& facts) {
    std::string_view chosen;
    // A LANGUAGE list may begin with empty entries (":it"): the first named one counts.
    std::string_view list = facts.language;
    while (!list.empty() && chosen.empty()) {
        const size_t colon = list.find(':');
        chosen = list.substr(0, colon);
        list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
    }
    for (const std::string* next : {&facts.lcAll, &facts.lcMessages, &facts.lang})
        if (chosen.empty()) chosen = *next;
    const std::string_view code = languageOf(chosen);
    return code.size() == 2 && (code[0] | 0x20) == 'i' && (code[1] | 0x20) == 't';
}

}  // namespace plat
