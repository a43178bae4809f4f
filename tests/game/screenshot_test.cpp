#include <filesystem>
#include <fstream>

#include "game/screenshot.h"
#include "test_support.h"

namespace {

class Screenshots : public GameTest {};

TEST_F(Screenshots, FolderIsMadeAndNumbersContinueFromTheFirstFree) {
    plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600);
    EXPECT_EQ(takeScreenshot(), scratch.file("Screenshots/Screenshot0.bmp"));
    EXPECT_EQ(takeScreenshot(), scratch.file("Screenshots/Screenshot1.bmp"));
    // A gap left by a deleted file is filled first.
    std::filesystem::remove(scratch.file("Screenshots/Screenshot0.bmp"));
    EXPECT_EQ(takeScreenshot(), scratch.file("Screenshots/Screenshot0.bmp"));
    EXPECT_EQ(takeScreenshot(), scratch.file("Screenshots/Screenshot2.bmp"));
    EXPECT_EQ(headless::screenshotsSaved().size(), 4u);
}

TEST_F(Screenshots, UnwritableFolderSavesNothing) {
    // A plain file where the folder should be.
    std::ofstream(scratch.file("Screenshots")) << "x";
    EXPECT_EQ(takeScreenshot(), "");
    EXPECT_TRUE(headless::screenshotsSaved().empty());
}

}  // namespace
