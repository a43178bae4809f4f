#include <cmath>
#include <cstring>
#include <string>

#include "test_support.h"
#include "game/catalogue.h"
#include "world/settings.h"

namespace {

class Catalogue : public GameTest {
protected:
    std::string name(uint8_t type, uint8_t language) {
        settings.Language = language;
        char buffer[kItemNameMax];
        std::memset(buffer, 'X', sizeof buffer);
        itemName(type, settings, buffer);
        return buffer;
    }
};

bool unnamed(int type) {
    return type == 0 || type == 8 || type == 9 || (type >= 68 && type <= 70) || type > 73;
}

TEST_F(Catalogue, UnnamedTypesAreBlankEverywhere) {
    for (int t = 0; t < 256; ++t) {
        if (!unnamed(t) || (t >= 68 && t <= 70)) continue;
        const uint8_t type = uint8_t(t);
        EXPECT_EQ(name(type, 1), "") << t;
        EXPECT_EQ(name(type, 2), "") << t;
        EXPECT_EQ(iconTexture(type), 13) << t;
        EXPECT_EQ(digRule(type).tool, kNoTool) << t;
        EXPECT_FALSE(canDig(type, 71)) << t;
    }
    // The other chest facings are nameless but dig like the chest they are.
    for (uint8_t t : {68, 69, 70}) {
        EXPECT_EQ(name(t, 1), "");
        EXPECT_EQ(iconTexture(t), 13);
        EXPECT_TRUE(isChest(t));
        EXPECT_TRUE(canDig(t, 62));
        EXPECT_EQ(dugYield(t), 67);
    }
}

TEST_F(Catalogue, NamesAreExactInBothLanguagesAndFit) {
    EXPECT_EQ(name(15, 1), "Minerale d'oro");
    EXPECT_EQ(name(31, 1), "Lingotto d'argento");
    EXPECT_EQ(name(17, 2), "Saphire ore");
    EXPECT_EQ(name(34, 0), "Saphire");
    EXPECT_EQ(name(12, 1), "Ematite");
    EXPECT_EQ(name(11, 1), name(11, 2));  // same word in both languages
    EXPECT_EQ(name(66, 1), "Frammento di tungsteno");
    EXPECT_EQ(std::string(englishName(66)), "Tungsten snippet");
    settings.Language = 1;
    EXPECT_EQ(std::string(localName(62, settings)), "Ascia di legno");

    for (int t = 1; t < 256; ++t) {
        if (unnamed(t)) continue;
        for (uint8_t language : {1, 2}) {
            const std::string n = name(uint8_t(t), language);
            EXPECT_FALSE(n.empty()) << t;
            EXPECT_LT(n.size(), size_t(kItemNameMax)) << t;
            for (char c : n) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << t << " " << n;
        }
        EXPECT_NE(iconTexture(uint8_t(t)), 13) << t;
        EXPECT_LT(iconTexture(uint8_t(t)), 104) << t;
    }
}

TEST_F(Catalogue, DiggingNeedsTheRightFamilyAndLevel) {
    const uint8_t emptyHand = 0, woodenPick = 55, copperPick = 49, goldenPick = 53,
                  platinumPick = 54, diamondPick = 71, woodenAxe = 62, platinumSword = 47;
    for (uint8_t soft : {2, 3, 6}) {  // dirt, gravel, sand
        EXPECT_FALSE(canDig(soft, emptyHand));
        EXPECT_FALSE(canDig(soft, woodenAxe));
        EXPECT_TRUE(canDig(soft, woodenPick));
    }
    EXPECT_TRUE(canDig(7, woodenPick));
    EXPECT_FALSE(canDig(11, woodenPick));  // scheelite wants copper or better
    EXPECT_TRUE(canDig(11, copperPick));
    EXPECT_FALSE(canDig(20, goldenPick));  // diamond ore: level 7
    EXPECT_TRUE(canDig(20, platinumPick));
    EXPECT_TRUE(canDig(20, diamondPick));
    EXPECT_FALSE(canDig(16, 51));          // sperrylite: level 6, not steel (4)
    EXPECT_TRUE(canDig(16, goldenPick));

    for (uint8_t wooden : {4, 5, 10, 24, 27, 67, 73}) {
        EXPECT_TRUE(canDig(wooden, woodenAxe)) << int(wooden);
        EXPECT_FALSE(canDig(wooden, diamondPick)) << int(wooden);
    }
    EXPECT_FALSE(canDig(7, 61));  // no axe digs stone

    for (uint8_t sword = 42; sword <= 48; ++sword) {
        EXPECT_TRUE(isSword(sword));
        EXPECT_EQ(toolStats(sword).speed, 0);
        for (uint8_t block : {1, 2, 4, 5, 7, 24}) EXPECT_FALSE(canDig(block, sword));
    }
    EXPECT_FALSE(canDig(4, platinumSword));

    // Snippets are placed like blocks but nothing digs them back.
    for (uint8_t snippet : {65, 66}) {
        EXPECT_FALSE(isItemOnly(snippet));
        EXPECT_FALSE(canDig(snippet, diamondPick));
        EXPECT_FALSE(canDig(snippet, 61));
    }
}

TEST_F(Catalogue, DigTimeIsHardnessOverSpeed) {
    EXPECT_NEAR(digTimeMs(7, 55), 1222.2f, 0.1f);
    EXPECT_NEAR(digTimeMs(7, 71), 423.1f, 0.1f);
    EXPECT_NEAR(digTimeMs(24, 62), 111.1f, 0.1f);
    // Steel is below silver in level but digs faster.
    EXPECT_LT(digTimeMs(7, 51), digTimeMs(7, 52));
    EXPECT_LT(toolStats(51).level, toolStats(52).level);
    EXPECT_TRUE(std::isinf(digTimeMs(2, 0)));   // empty hand
    EXPECT_TRUE(std::isinf(digTimeMs(7, 47)));  // a sword has speed 0
}

TEST_F(Catalogue, YieldsAndClasses) {
    EXPECT_EQ(dugYield(7), 1);
    const uint8_t ores[] = {17, 18, 19, 20, 21, 22}, gems[] = {34, 35, 36, 37, 38, 39};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(dugYield(ores[i]), gems[i]);
    for (uint8_t same : {1, 2, 3, 4, 5, 11, 15, 24, 25, 26, 67, 73}) EXPECT_EQ(dugYield(same), same);

    int itemOnly = 0;
    for (int t = 0; t < 256; ++t) itemOnly += isItemOnly(uint8_t(t));
    EXPECT_EQ(itemOnly, 1 + 13 + 22 + 1 + 1);
    EXPECT_TRUE(isItemOnly(23));
    EXPECT_FALSE(isItemOnly(41));  // the anvil is placed
    EXPECT_TRUE(isPickaxe(71));
    EXPECT_FALSE(isPickaxe(62));
    EXPECT_TRUE(isAxe(62));
    EXPECT_TRUE(isTorch(24));
    EXPECT_TRUE(rejectsTorch(73));
    EXPECT_FALSE(rejectsTorch(7));
    EXPECT_FALSE(isChest(66));
    EXPECT_FALSE(isChest(71));
}

}  // namespace
