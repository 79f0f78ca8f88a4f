// A frame compared pixel by pixel with what our test sprite sheet must put
// there: a mirrored creature, its highlight and fuse, and the panel.
#include <gtest/gtest.h>

#include <string>

#include "platform/font.h"
#include "replay_support.h"

namespace {

// Pixels on the outline of the rectangle (x1, y1)-(x2, y2) that are not `colour`.
int ringMismatches(const Picture& shot, int x1, int y1, int x2, int y2, uint32_t colour) {
    int bad = 0;
    for (int x = x1; x <= x2; ++x) bad += (shot.at(x, y1) != colour) + (shot.at(x, y2) != colour);
    for (int y = y1; y <= y2; ++y) bad += (shot.at(x1, y) != colour) + (shot.at(x2, y) != colour);
    return bad;
}

TEST(FramesTest, CreaturesMirroredHighlightFuseDigitAndPanel) {
    // The single walker goes right until the wall at x 320 and back left; there
    // it is made a blocker, so it stands still, its fuse lit, the pointer left on it.
    std::string script = line(1, "level 1") + line(340, "select 2") + line(350, "click-creature 0") +
                         line(360, "select 8") + line(370, "click-creature 0") + line(459, "dump") +
                         line(460, "dump") + line(460, "shot fuse.bmp");
    ReplayRun run = play("frames", {{1, "pen.tmx", "pen-one.dat"}}, script);
    Picture shot;
    ASSERT_TRUE(readPicture(run.dir + "/fuse.bmp", shot));

    // The frame of pass 460 shows the highlight and fuse as they stood after pass
    // 459, and the creature as it stood after the tick of pass 460.
    const Json& before = run.at(459)["creatures"][0];
    const Json& now = run.at(460)["creatures"][0];
    ASSERT_EQ(before["highlighted"].integer(), 1);
    ASSERT_EQ(now["skill"].integer(), 2);
    ASSERT_EQ(now["dir"].integer(), -1);
    int fuse = static_cast<int>(before["fuse"].integer());
    ASSERT_GE(fuse, 1);
    ASSERT_LE(fuse, 6);
    int sx = static_cast<int>(run.at(460)["scrollX"].integer() + now["x"].integer());
    int sy = static_cast<int>(run.at(460)["scrollY"].integer() + now["y"].integer());
    int frame = static_cast<int>(now["frame"].integer());

    // The 41x42 picture runs backwards, copied with alpha cleared; the fuse
    // digit's set pixels are white over it at (sx - 3, sy - 30).
    int bad = 0;
    for (int y = sy - 31; y <= sy + 9; ++y)
        for (int x = sx - 20; x <= sx + 20; ++x) {
            int col = x - sx + 3, row = y - sy + 30;
            bool digit = col >= 0 && col < 8 && row >= 0 && row < 8 &&
                         (fontGlyphs['0' + fuse][row] >> col) & 1;
            // Skill 2's pictures start at sheet row 74; mirrored, column k reads 40 * frame - k.
            uint32_t sheet = sheetColour(40 * frame - (x - sx + 20), 74 + y - (sy - 31));
            bad += shot.at(x, y) != (digit ? 0xFFFFFFFF : sheet & 0x00FFFFFF);
        }
    EXPECT_EQ(bad, 0);
    // Two grey frames round the picture; the inner one's bottom on its last row.
    for (int k : {0, 1}) {
        uint32_t grey = k == 0 ? 0xFF333333 : 0xFF707070;
        EXPECT_EQ(ringMismatches(shot, sx - 22 + k, sy - 33 + k, sx + 22 - k, sy + 11 - k, grey), 0);
    }

    // The panel: skill 8 framed three times round its own white frame; skill 1 no longer.
    EXPECT_EQ(run.at(460)["selectedSkill"].integer(), 8);
    const uint32_t rings[] = {0xFF005000, 0xFF009000, 0xFF00C000, 0xFFFFFFFF};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ringMismatches(shot, 426 + k, 421 + k, 465 - k, 460 - k, rings[k]), 0) << k;
    EXPECT_EQ(shot.at(2, 402), 0xFF806040);
    EXPECT_EQ(shot.at(76, 421), 0xFF806040);
}

}  // namespace
