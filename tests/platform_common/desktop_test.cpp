#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/desktop.h"
#include "test_support.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace {

TEST(FilesFolder, InstalledOnlyInABinFolderAndThenInTheUsersDataFolder) {
    EXPECT_EQ(plat::installMarkerFor("/usr/bin/"), "/usr/share/velmora");
    EXPECT_EQ(plat::installMarkerFor("/usr/games"), "/usr/share/velmora");
    for (const char* portable : {"/home/ada/velmora/build/", "/usr/binx/", "/usr/sbin/", "/", ""})
        EXPECT_EQ(plat::installMarkerFor(portable), "") << portable;

    plat::FolderFacts facts{"/usr/bin/", false, "/x/data/", "/home/ada"};
    EXPECT_EQ(plat::filesFolderFor(facts), "/usr/bin/");
    facts.installed = true;
    EXPECT_EQ(plat::filesFolderFor(facts), "/x/data/velmora/");
    for (const char* ignored : {"", "relative/data"}) {
        facts.xdgDataHome = ignored;
        EXPECT_EQ(plat::filesFolderFor(facts), "/home/ada/.local/share/velmora/") << ignored;
    }
    facts.home = "";
    EXPECT_EQ(plat::filesFolderFor(facts), "");
}

TEST(FilesFolder, OnWindowsInstalledOnlyUnderProgramFilesAndThenInAppData) {
    plat::WindowsFolderFacts facts{"C:/Games/Velmora/",
                                   {"C:\\Program Files", "", "C:\\Program Files (x86)"},
                                   "C:\\Users\\Ada\\AppData\\Roaming"};
    for (const char* portable : {"C:/Games/Velmora/", "C:/Program Files Extra/Velmora/", "D:/"}) {
        facts.exeFolder = portable;
        EXPECT_EQ(plat::windowsFilesFolderFor(facts), portable);
    }
    for (const char* installed : {"C:/Program Files/Velmora/", "c:\\PROGRAM FILES (X86)\\v\\bin\\"}) {
        facts.exeFolder = installed;
        EXPECT_EQ(plat::windowsFilesFolderFor(facts), "C:/Users/Ada/AppData/Roaming/Velmora/")
            << installed;
    }
    facts.appData = "";
    EXPECT_EQ(plat::windowsFilesFolderFor(facts), "");
    // A Program Files set to a bare drive would claim everything on it.
    facts = {"C:/Games/Velmora/", {"C:\\"}, "C:/AppData"};
    EXPECT_EQ(plat::windowsFilesFolderFor(facts), "C:/Games/Velmora/");
}

TEST(Locale, FirstSetVariableDecidesAndOnlyItMeansItalian) {
    const std::pair<plat::LocaleFacts, bool> cases[] = {
        {{"", "", "", ""}, false},
        {{"", "", "", "it_IT.UTF-8"}, true},
        {{"", "", "", "C.UTF-8"}, false},
        {{"", "", "it_CH@euro", "en_GB.UTF-8"}, true},
        {{"", "en_US.UTF-8", "it_IT", "it_IT"}, false},
        {{"it:en", "C", "", "en_US.UTF-8"}, true},
        {{"en_GB:it", "it_IT.UTF-8", "", ""}, false},
        {{":IT_it", "", "", ""}, true},
        {{"", "", "", "ita_IT"}, false},  // a three-letter code is another language
    };
    for (const auto& [facts, italian] : cases)
        EXPECT_EQ(plat::localeSpeaksItalian(facts), italian)
            << facts.language << "|" << facts.lcAll << "|" << facts.lcMessages << "|" << facts.lang;
}

class DesktopFacts : public GameTest {};

#ifdef _WIN32
TEST_F(DesktopFacts, AnInstalledGameKeepsItsFilesInAppDataAndMakesTheFolder) {
    const std::filesystem::path programs = scratch.path / "Program Files";
    std::filesystem::create_directories(programs / "Velmora");
    headless::setExeFolder((programs / "Velmora").string());
    headless::setEnvironment({{"APPDATA", scratch.file("Roaming")}});
    EXPECT_EQ(worldFilePath(2), (programs / "Velmora/Mondo2.data").string());

    headless::setEnvironment({{"APPDATA", scratch.file("Roaming")}, {"ProgramFiles", programs.string()}});
    std::string roaming = scratch.file("Roaming");
    std::replace(roaming.begin(), roaming.end(), '\\', '/');
    EXPECT_EQ(settingsPath(), roaming + "/Velmora/Settings.data");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.file("Roaming") + "/Velmora"));
}
#else
TEST_F(DesktopFacts, AnInstalledGameKeepsItsFilesInTheHomeAndMakesTheFolder) {
    const std::filesystem::path prefix = scratch.path / "prefix";
    std::filesystem::create_directories(prefix / "bin");
    headless::setExeFolder((prefix / "bin").string());
    headless::setEnvironment({{"HOME", scratch.file("home")}});
    // No share/velmora beside bin: an unpacked folder that happens to be called bin.
    EXPECT_EQ(worldFilePath(2), (prefix / "bin/Mondo2.data").string());

    std::filesystem::create_directories(prefix / "share/velmora");
    EXPECT_EQ(settingsPath(), scratch.file("home") + "/.local/share/velmora/Settings.data");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.file("home") + "/.local/share/velmora"));
}
#endif

TEST_F(DesktopFacts, AFirstStartSpeaksTheDesktopsLanguageUntilTheFileDecides) {
    headless::setEnvironment({{"LANG", "en_US.UTF-8"}});
    readSettings(settings, settingsFile);
    EXPECT_EQ(settings.Language, 0);
    headless::setEnvironment({{"LC_MESSAGES", "it_IT.UTF-8"}, {"LANG", "en_US.UTF-8"}});
    readSettings(settings, settingsFile);
    EXPECT_EQ(settings.Language, 1);

    writeBytes(scratch.file("Settings.data"), "\x01\x03");  // English saved
    readSettings(settings, settingsFile);
    EXPECT_EQ(settings.Language, 0);
}

}  // namespace
