#include <filesystem>
#include <string>

#include "platform/desktop.h"
#include "test_support.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace {

TEST(FilesFolder, OnlyABinFolderCanMarkAnInstall) {
    EXPECT_EQ(plat::installMarkerFor("/usr/bin/"), "/usr/share/velmora");
    EXPECT_EQ(plat::installMarkerFor("/opt/velmora/bin"), "/opt/velmora/share/velmora");
    EXPECT_EQ(plat::installMarkerFor("/bin/"), "/share/velmora");
    for (const char* portable : {"/home/ada/velmora/build/", "/usr/binx/", "/usr/sbin/", "/", ""})
        EXPECT_EQ(plat::installMarkerFor(portable), "") << portable;
}

TEST(FilesFolder, InstalledUsesTheUsersDataFolderAndPortableTheExecutables) {
    plat::FolderFacts facts{"/usr/bin/", false, "/x/data", "/home/ada"};
    EXPECT_EQ(plat::filesFolderFor(facts), "/usr/bin/");
    facts.installed = true;
    EXPECT_EQ(plat::filesFolderFor(facts), "/x/data/velmora/");
    facts.xdgDataHome = "/x/data/";
    EXPECT_EQ(plat::filesFolderFor(facts), "/x/data/velmora/");
    for (const char* ignored : {"", "relative/data"}) {
        facts.xdgDataHome = ignored;
        EXPECT_EQ(plat::filesFolderFor(facts), "/home/ada/.local/share/velmora/") << ignored;
    }
    facts.home = "";
    EXPECT_EQ(plat::filesFolderFor(facts), "");
}

TEST(Locale, FirstSetVariableDecidesAndOnlyItMeansItalian) {
    struct Case {
        plat::LocaleFacts facts;
        bool italian;
    };
    const Case cases[] = {
        {{"", "", "", ""}, false},
        {{"", "", "", "it_IT.UTF-8"}, true},
        {{"", "", "", "C.UTF-8"}, false},
        {{"", "", "it_CH@euro", "en_GB.UTF-8"}, true},
        {{"", "en_US.UTF-8", "it_IT", "it_IT"}, false},
        {{"", "it", "en_US", ""}, true},
        {{"it:en", "C", "", "en_US.UTF-8"}, true},
        {{"en_GB:it", "it_IT.UTF-8", "", ""}, false},
        {{":IT_it", "", "", ""}, true},
        {{"", "", "", "ita_IT"}, false},  // a three-letter code is another language
        {{"", "", "", "POSIX"}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::localeSpeaksItalian(c.facts), c.italian)
            << c.facts.language << "|" << c.facts.lcAll << "|" << c.facts.lcMessages << "|"
            << c.facts.lang;
}

class DesktopFacts : public GameTest {};

TEST_F(DesktopFacts, AnInstalledGameKeepsItsFilesInTheHomeNeverInThePrefix) {
    const std::filesystem::path prefix = scratch.path / "prefix", home = scratch.path / "home";
    std::filesystem::create_directories(prefix / "bin");
    headless::setExeFolder((prefix / "bin").string());
    headless::setEnvironment({{"HOME", home.string()}});
    // No share/velmora beside bin: an unpacked folder that happens to be called bin.
    EXPECT_EQ(plat::filesFolder(), (prefix / "bin").string() + "/");

    std::filesystem::create_directories(prefix / "share" / "velmora");
    const std::string data = (home / ".local/share/velmora").string() + "/";
    EXPECT_EQ(plat::filesFolder(), data);
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_EQ(worldFilePath(2), data + "Mondo2.data");
    EXPECT_EQ(settingsPath(), data + "Settings.data");

    headless::setEnvironment({{"HOME", home.string()}, {"XDG_DATA_HOME", scratch.file("xdg")}});
    EXPECT_EQ(plat::filesFolder(), scratch.file("xdg") + "/velmora/");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.file("xdg") + "/velmora"));
}

TEST_F(DesktopFacts, AFirstStartSpeaksTheDesktopsLanguageUntilTheFileDecides) {
    headless::setEnvironment({{"LANG", "en_US.UTF-8"}});
    readSettings();
    EXPECT_EQ(settings.Language, 0);
    headless::setEnvironment({{"LC_MESSAGES", "it_IT.UTF-8"}, {"LANG", "en_US.UTF-8"}});
    readSettings();
    EXPECT_EQ(settings.Language, 1);

    writeBytes(scratch.file("Settings.data"), "\x01\x03");  // English saved
    readSettings();
    EXPECT_EQ(settings.Language, 0);
    EXPECT_EQ(readBytes(scratch.file("Settings.data")), "\x01\x03");
}

}  // namespace
