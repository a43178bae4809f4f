#include <filesystem>
#include <fstream>

#include "app/screenshot.h"
#include "test_support.h"

namespace {

class Screenshots : public GameTest {
   protected:
    // As the game names it: its folder and the rest joined with '/' (Windows
    // takes both separators).
    std::string shot(const std::string& name) const {
        return scratch.path.string() + "/Screenshots/" + name;
    }
};

TEST_F(Screenshots, FolderIsMadeAndNumbersContinueFromTheFirstFree) {
    plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600);
    EXPECT_EQ(takeScreenshot(), shot("Screenshot0.bmp"));
    EXPECT_EQ(takeScreenshot(), shot("Screenshot1.bmp"));
    // A gap left by a deleted file is filled first.
    std::filesystem::remove(shot("Screenshot0.bmp"));
    EXPECT_EQ(takeScreenshot(), shot("Screenshot0.bmp"));
    EXPECT_EQ(takeScreenshot(), shot("Screenshot2.bmp"));
    EXPECT_EQ(headless::screenshotsSaved().size(), 4u);
}

TEST_F(Screenshots, AFolderThatCannotBeUsedSavesNothingAndReturnsAtOnce) {
    namespace fs = std::filesystem;
    // A plain file where the folder should be, then a link to itself.
    std::ofstream(scratch.file("Screenshots")) << "x";
    EXPECT_EQ(takeScreenshot(), "");
    fs::remove(scratch.file("Screenshots"));
    if (makeLink("Screenshots", scratch.file("Screenshots"))) {
        EXPECT_EQ(takeScreenshot(), "");
    }

    // A folder whose names cannot even be asked about (here: too long a path,
    // which fails for root too, where a folder without search permission
    // would not) ends the search instead of probing two billion names.
    fs::remove(scratch.file("Screenshots"));
    fs::path deep = scratch.path;
    const std::string part(200, 'd');
    while (deep.string().size() + part.size() + 1 + std::string("/Screenshots/").size() < 4090)
        deep /= part;
    deep /= std::string(4090 - deep.string().size() - std::string("/Screenshots/").size() - 1, 'e');
    std::error_code refused;
    fs::create_directories(deep, refused);
    if (refused) return;  // this system cannot make such a folder (Windows): the game never meets one
    headless::setExeFolder(deep.string());
    EXPECT_EQ(takeScreenshot(), "");
    EXPECT_TRUE(headless::screenshotsSaved().empty());
}

TEST_F(Screenshots, ANameTakenByALinkIsTakenWhereverItLeads) {
    plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600);
    std::filesystem::create_directory(scratch.file("Screenshots"));
    // A link to itself, and a link to nothing: neither name is free.
    if (!makeLink("Screenshot0.bmp", scratch.file("Screenshots/Screenshot0.bmp")))
        GTEST_SKIP() << "no links on this system";
    ASSERT_TRUE(makeLink("gone", scratch.file("Screenshots/Screenshot1.bmp")));
    EXPECT_EQ(takeScreenshot(), shot("Screenshot2.bmp"));
}

}  // namespace
