// What the desktop tells the game: where the player's files belong and which
// language the player's desktop speaks. The rules are pure functions of the
// facts handed in, so that they can be tried with any paths and environment;
// the platforms gather the facts (platform.h: filesFolder, desktopSpeaksItalian).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// ---- files folder --------------------------------------------------------------
// An installed game stands in a bin (or, as Debian places games, a games)
// folder with share/velmora beside it, as `cmake --install` and the package lay
// it out. Anywhere else (the build tree, an unpacked folder) it is portable and
// keeps its files beside itself. The folder whose presence marks an installed
// game, or "" when the executable's folder (trailing '/') is not so named.
std::string installMarkerFor(const std::string& exeFolder);

struct FolderFacts {
    std::string exeFolder;    // trailing '/'
    bool installed = false;   // the install marker exists as a folder
    std::string xdgDataHome;  // $XDG_DATA_HOME, "" when unset
    std::string home;         // $HOME, or the account's home folder
};
// The folder (trailing '/') for settings, worlds and screenshots: beside the
// executable when portable, $XDG_DATA_HOME/velmora when installed (a relative
// XDG_DATA_HOME is ignored, as the desktop's rules say), ~/.local/share/velmora
// without it. "" when installed with no home to put it in.
std::string filesFolderFor(const FolderFacts& facts);

// On Windows an installed game stands under a Program Files folder, where a
// player may not write: it keeps its files in %APPDATA%\Velmora. Anywhere else
// (an unpacked zip) it keeps them beside itself. Folders may be written with
// '\' or '/'; the answer uses '/'.
struct WindowsFolderFacts {
    std::string exeFolder;                  // trailing '/'
    std::vector<std::string> programFiles;  // %ProgramFiles%, %ProgramW6432%, ...; "" when unset
    std::string appData;                    // %APPDATA%, "" when unset
};
// The folder (trailing '/'), "" when installed with no APPDATA to put it in.
std::string windowsFilesFolderFor(const WindowsFolderFacts& facts);

// ---- language ----------------------------------------------------------------------
// The locale variables as the desktop sets them, "" for unset ones.
struct LocaleFacts {
    std::string language;    // $LANGUAGE, a colon list of preferences
    std::string lcAll;       // $LC_ALL
    std::string lcMessages;  // $LC_MESSAGES
    std::string lang;        // $LANG
};
// The first variable that is set decides (in the order above); of LANGUAGE its
// first entry. Italian when that names the language "it" (it, it_IT,
// it_CH.UTF-8@euro, ...), English otherwise.
bool localeSpeaksItalian(const LocaleFacts& facts);

}  // namespace plat
