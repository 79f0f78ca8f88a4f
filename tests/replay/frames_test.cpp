// Frames compared pixel by pixel with what our test sprite sheet and tiles must
// put there: menus, the panel, creatures both ways round, highlight and fuse.
#include <gtest/gtest.h>

#include <string>

#include "platform/font.h"
#include "replay_support.h"

namespace {

constexpr uint32_t background = 0xFF3333BB;
constexpr uint32_t panel = 0xFF806040;
constexpr uint32_t white = 0xFFFFFFFF;

std::string line(int pass, const std::string& command) { return std::to_string(pass) + " " + command + "\n"; }

// A copy in the transparent mode writes the sheet's colour with alpha cleared.
uint32_t copied(uint32_t colour) { return colour & 0x00FFFFFF; }

struct CreatureView {
    int sx, sy, frame, skill, dir;
};

CreatureView viewOf(const Json& dump, size_t index) {
    const Json& c = dump["creatures"][index];
    return {static_cast<int>(dump["scrollX"].integer() + c["x"].integer()),
            static_cast<int>(dump["scrollY"].integer() + c["y"].integer()), static_cast<int>(c["frame"].integer()),
            static_cast<int>(c["skill"].integer()), static_cast<int>(c["dir"].integer())};
}

// Sheet column for picture column k (0..40): mirrored pictures run backwards.
int sheetColumn(const CreatureView& v, int k) { return v.dir == 1 ? 40 * v.frame - 40 + k : 40 * v.frame - k; }

// Counts picture pixels that differ, skipping the rectangle `skip` (screen coordinates).
int spriteMismatches(const Picture& shot, const CreatureView& v, int skipX1 = 1, int skipY1 = 1, int skipX2 = 0,
                     int skipY2 = 0, int lastRow = 41) {
    int bad = 0;
    for (int j = 0; j <= lastRow; ++j) {
        for (int k = 0; k <= 40; ++k) {
            int x = v.sx - 20 + k;
            int y = v.sy - 31 + j;
            if (x >= skipX1 && x <= skipX2 && y >= skipY1 && y <= skipY2) continue;
            bad += shot.at(x, y) != copied(sheetColour(sheetColumn(v, k), 42 * v.skill - 10 + j));
        }
    }
    return bad;
}

TEST(FramesTest, MenuBackgroundButtonsAndTheirHighlight) {
    ReplayRun run = runScript(prepareFolder("frame-menu", {}), "1 shot plain.bmp\n2 mouse 300 215\n4 shot hover.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    Picture plain, hover;
    ASSERT_TRUE(readPicture(run.dir + "/plain.bmp", plain));
    ASSERT_TRUE(readPicture(run.dir + "/hover.bmp", hover));
    ASSERT_EQ(plain.width, 640);
    ASSERT_EQ(plain.height, 480);
    EXPECT_EQ(plain.at(0, 0), background);
    EXPECT_EQ(plain.at(639, 479), background);
    // "Play Game": a white frame round a grey fill, the caption from (275, 161).
    EXPECT_EQ(plain.at(260, 150), white);
    EXPECT_EQ(plain.at(379, 179), white);
    EXPECT_EQ(plain.at(261, 151), 0xFF808080);
    EXPECT_EQ(plain.at(378, 178), 0xFF808080);
    EXPECT_EQ(plain.at(380, 165), background);
    int glyphMismatches = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            bool set = (fontGlyphs['P'][r] >> c) & 1;
            glyphMismatches += plain.at(275 + c, 161 + r) != (set ? white : 0xFF808080);
        }
    EXPECT_EQ(glyphMismatches, 0);
    // "Options" under the pointer, drawn in the frame after the pointer was read.
    EXPECT_EQ(hover.at(260, 200), 0xFF60A0FF);
    EXPECT_EQ(hover.at(261, 201), 0xFFC08080);
    EXPECT_EQ(hover.at(260, 150), white);
}

TEST(FramesTest, CreatureFacingRightAndMirrored) {
    std::string folder = prepareFolder("frame-creature", {{1, "pen.tmx", "pen-one.dat"}});
    // The single walker goes right until the wall at x 320, then back left.
    ReplayRun run = runScript(folder, line(1, "level 1") + line(150, "dump") + line(150, "shot right.bmp") +
                                          line(350, "dump") + line(350, "shot left.bmp"));
    ASSERT_EQ(run.status, 0) << run.err;
    Picture right, left;
    ASSERT_TRUE(readPicture(run.dir + "/right.bmp", right));
    ASSERT_TRUE(readPicture(run.dir + "/left.bmp", left));
    CreatureView r = viewOf(run.at(150), 0);
    CreatureView l = viewOf(run.at(350), 0);
    ASSERT_EQ(r.dir, 1);
    ASSERT_EQ(l.dir, -1);
    EXPECT_EQ(spriteMismatches(right, r), 0);
    EXPECT_EQ(spriteMismatches(left, l), 0);
    // Just outside the picture: the empty level over the background.
    EXPECT_EQ(right.at(r.sx + 21, r.sy - 10), background);
    EXPECT_EQ(right.at(r.sx - 21, r.sy - 10), background);
    // The floor (tile 2 under x = 100) copied without its alpha.
    EXPECT_EQ(right.at(100, 330), copied(tileColours[1]));
    EXPECT_EQ(right.at(600, 100), background);
}

TEST(FramesTest, HighlightFuseDigitAndPanel) {
    std::string folder = prepareFolder("frame-fuse", {{1, "pen.tmx", "pen-one.dat"}});
    // Make the walker a blocker so it stands still, light its fuse and leave the
    // pointer on it.
    std::string script = line(1, "level 1") + line(140, "select 2") + line(150, "click-creature 0") +
                         line(160, "select 8") + line(170, "click-creature 0") + line(259, "dump") +
                         line(260, "dump") + line(260, "shot fuse.bmp");
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;
    Picture shot;
    ASSERT_TRUE(readPicture(run.dir + "/fuse.bmp", shot));
    // The frame of pass 260 shows the highlight and fuse as they stood after pass
    // 259, and the creature as it stood after the tick of pass 260.
    const Json& before = run.at(259);
    const Json& now = run.at(260);
    ASSERT_EQ(before["creatures"][0]["highlighted"].integer(), 1);
    ASSERT_EQ(now["creatures"][0]["skill"].integer(), 2);
    int fuse = static_cast<int>(before["creatures"][0]["fuse"].integer());
    ASSERT_GE(fuse, 1);
    ASSERT_LE(fuse, 6);
    CreatureView v = viewOf(now, 0);

    // Two grey frames round the picture; the inner one's bottom on its last row.
    int boxMismatches = 0;
    for (int d = -22; d <= 22; ++d) {
        boxMismatches += shot.at(v.sx + d, v.sy - 33) != 0xFF333333;
        boxMismatches += shot.at(v.sx + d, v.sy + 11) != 0xFF333333;
    }
    for (int d = -33; d <= 11; ++d) {
        boxMismatches += shot.at(v.sx - 22, v.sy + d) != 0xFF333333;
        boxMismatches += shot.at(v.sx + 22, v.sy + d) != 0xFF333333;
    }
    for (int d = -21; d <= 21; ++d) {
        boxMismatches += shot.at(v.sx + d, v.sy - 32) != 0xFF707070;
        boxMismatches += shot.at(v.sx + d, v.sy + 10) != 0xFF707070;
    }
    EXPECT_EQ(boxMismatches, 0);

    // The fuse digit at (sx - 3, sy - 30), over the picture.
    const uint8_t* glyph = fontGlyphs['0' + fuse];
    int digitMismatches = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            int x = v.sx - 3 + c;
            int y = v.sy - 30 + r;
            uint32_t under = copied(sheetColour(sheetColumn(v, x - v.sx + 20), 42 * v.skill - 10 + (y - v.sy + 31)));
            digitMismatches += shot.at(x, y) != (((glyph[r] >> c) & 1) ? white : under);
        }
    EXPECT_EQ(digitMismatches, 0);
    EXPECT_EQ(spriteMismatches(shot, v, v.sx - 3, v.sy - 30, v.sx + 4, v.sy - 23, 40), 0);

    // The panel: its colour, skill 8 framed three times, and the icons in their boxes.
    EXPECT_EQ(now["selectedSkill"].integer(), 8);
    EXPECT_EQ(shot.at(2, 402), panel);
    EXPECT_EQ(shot.at(426, 421), 0xFF005000);
    EXPECT_EQ(shot.at(465, 460), 0xFF005000);
    EXPECT_EQ(shot.at(427, 422), 0xFF009000);
    EXPECT_EQ(shot.at(428, 423), 0xFF00C000);
    EXPECT_EQ(shot.at(429, 424), white);  // the button's own frame
    EXPECT_EQ(shot.at(76, 421), panel) << "skill 1 is no longer framed";
    int iconMismatches = 0;
    for (int k = 1; k <= 9; ++k)
        for (int j = 0; j <= 30; ++j)
            for (int i = 0; i <= 30; ++i)
                iconMismatches += shot.at(50 * k + 30 + i, 425 + j) != copied(sheetColour(32 * k - 32 + i, j));
    EXPECT_EQ(iconMismatches, 0);
}

}  // namespace
