// A frame compared pixel by pixel with what our test sprite sheet must put
// there: a mirrored creature, its highlight and fuse, and the panel.
#include <gtest/gtest.h>

#include <string>

#include "platform/font.h"
#include "replay_support.h"

namespace {

constexpr uint32_t panel = 0xFF806040;

struct CreatureView {
    int sx, sy, frame, skill, dir;
};

CreatureView viewOf(const Json& dump) {
    const Json& c = dump["creatures"][0];
    auto number = [](const Json& value) { return static_cast<int>(value.integer()); };
    return {number(dump["scrollX"]) + number(c["x"]), number(dump["scrollY"]) + number(c["y"]),
            number(c["frame"]), number(c["skill"]), number(c["dir"])};
}

// What the 41x42 picture puts at screen (x, y): mirrored pictures run backwards.
uint32_t spritePixel(const CreatureView& v, int x, int y) {
    int k = x - v.sx + 20;
    int column = v.dir == 1 ? 40 * v.frame - 40 + k : 40 * v.frame - k;
    // A copy in the transparent mode writes the sheet's colour with alpha cleared.
    return sheetColour(column, 42 * v.skill - 10 + y - v.sy + 31) & 0x00FFFFFF;
}

// Picture pixels that differ, rows up to `lastRow`, skipping the 8x8 cell at (skipX, skipY).
int spriteMismatches(const Picture& shot, const CreatureView& v, int lastRow, int skipX = -99,
                     int skipY = -99) {
    int bad = 0;
    for (int y = v.sy - 31; y <= v.sy - 31 + lastRow; ++y)
        for (int x = v.sx - 20; x <= v.sx + 20; ++x) {
            bool skipped = x >= skipX && x < skipX + 8 && y >= skipY && y < skipY + 8;
            bad += !skipped && shot.at(x, y) != spritePixel(v, x, y);
        }
    return bad;
}

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
    std::string script = line(1, "level 1") + line(340, "select 2") + line(350, "click-creature 0") + line(360, "select 8") +
                         line(370, "click-creature 0") + line(459, "dump") + line(460, "dump") +
                         line(460, "shot fuse.bmp");
    ReplayRun run = play("frames", {{1, "pen.tmx", "pen-one.dat"}}, script);
    Picture shot;
    ASSERT_TRUE(readPicture(run.dir + "/fuse.bmp", shot));

    // The frame of pass 460 shows the highlight and fuse as they stood after pass
    // 459, and the creature as it stood after the tick of pass 460.
    const Json& before = run.at(459)["creatures"][0];
    CreatureView v = viewOf(run.at(460));
    ASSERT_EQ(before["highlighted"].integer(), 1);
    ASSERT_EQ(v.skill, 2);
    ASSERT_EQ(v.dir, -1);
    int fuse = static_cast<int>(before["fuse"].integer());
    ASSERT_GE(fuse, 1);
    ASSERT_LE(fuse, 6);

    // Two grey frames round the picture; the inner one's bottom on its last row.
    for (int k : {0, 1}) {
        uint32_t grey = k == 0 ? 0xFF333333 : 0xFF707070;
        EXPECT_EQ(ringMismatches(shot, v.sx - 22 + k, v.sy - 33 + k, v.sx + 22 - k, v.sy + 11 - k, grey), 0);
    }

    // The fuse digit at (sx - 3, sy - 30), over the picture.
    int digitMismatches = 0;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) {
            int x = v.sx - 3 + col, y = v.sy - 30 + row;
            bool set = (fontGlyphs['0' + fuse][row] >> col) & 1;
            digitMismatches += shot.at(x, y) != (set ? 0xFFFFFFFF : spritePixel(v, x, y));
        }
    EXPECT_EQ(digitMismatches, 0);
    EXPECT_EQ(spriteMismatches(shot, v, 40, v.sx - 3, v.sy - 30), 0);

    // The panel: skill 8 framed three times round its own white frame; skill 1 no longer.
    EXPECT_EQ(run.at(460)["selectedSkill"].integer(), 8);
    const uint32_t rings[] = {0xFF005000, 0xFF009000, 0xFF00C000, 0xFFFFFFFF};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ringMismatches(shot, 426 + k, 421 + k, 465 - k, 460 - k, rings[k]), 0) << k;
    EXPECT_EQ(shot.at(2, 402), panel);
    EXPECT_EQ(shot.at(76, 421), panel);
}

}  // namespace
