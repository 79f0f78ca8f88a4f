// Keys through the whole game: scrolling a large level and its clamps, and the
// digit keys choosing a skill.
#include <gtest/gtest.h>

#include <string>

#include "replay_support.h"

namespace {

struct ScrollCase {
    const char* name;
    const char* level;  // map file; the wide one is 1280 x 480
    const char* keys;   // after "1 level 1"
    int scrollX, scrollY;
};

TEST(KeysTest, ArrowsScrollWithinTheLevel) {
    const ScrollCase cases[] = {
        {"Right for 10 passes", "wide.tmx", "10 key down 77\n20 key up 77\n", -50, 0},
        {"Right until the level ends", "wide.tmx", "10 key down 77\n300 key up 77\n", -640, 0},
        {"Left at the left edge", "wide.tmx", "10 key down 75\n20 key up 75\n", 0, 0},
        {"Left and Right together", "wide.tmx", "10 key down 77\n20 key down 75\n30 key up 77\n30 key up 75\n",
         -50, 0},
        {"Down until the bottom: 80 px below the view", "wide.tmx", "10 key down 80\n60 key up 80\n", 0, -80},
        {"Down, then Up back to the top", "wide.tmx", "10 key down 80\n60 key up 80\n70 key down 72\n90 key up 72\n",
         0, 0},
        {"a level the size of the view does not move", "walk.tmx", "10 key down 77\n10 key down 80\n30 key up 77\n",
         0, 0},
    };
    for (const ScrollCase& c : cases) {
        std::string folder = prepareFolder("scroll", {{1, c.level, "wide.dat"}});
        ReplayRun run = runScript(folder, std::string("1 level 1\n") + c.keys + "400 dump\n");
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.at(400)["scrollX"].integer(), c.scrollX) << c.name;
        EXPECT_EQ(run.at(400)["scrollY"].integer(), c.scrollY) << c.name;
    }
}

TEST(KeysTest, DigitKeysChooseASkillTheHighestWinning) {
    std::string script =
        "1 level 1\n"
        "10 key down 3\n11 dump\n"              // 2: Block
        "12 key down 6\n13 dump\n"              // 2 and 5 held: 5
        "14 key up 3\n14 key up 6\n15 dump\n"   // released: stays 5
        "20 select 8\n21 dump\n"
        "30 key down 1\n31 key up 1\n"          // pause and back: skill 1 again
        "40 key down 1\n41 key up 1\n42 dump\n";
    ReplayRun run = runScript(prepareFolder("skill-keys", {{1, "walk.tmx", "walk-win.dat"}}), script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.at(11)["selectedSkill"].integer(), 2);
    EXPECT_EQ(run.at(13)["selectedSkill"].integer(), 5);
    EXPECT_EQ(run.at(15)["selectedSkill"].integer(), 5);
    EXPECT_EQ(run.at(21)["selectedSkill"].integer(), 8);
    EXPECT_EQ(run.at(42)["screen"].integer(), 1);
    EXPECT_EQ(run.at(42)["selectedSkill"].integer(), 1);
}

}  // namespace
