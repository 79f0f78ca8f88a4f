// Through the headless harness on a real level: a press held over a creature
// lights its fuse once, a second press lights it again, and when it goes off
// the collision grid follows the terrain it blew away. Same script, same run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The first of the game's levels that gives at least two fuses, or 0.
int levelWithTwoFuses() {
    for (int level = 1; level <= 50; ++level) {
        std::ifstream data("maps/map" + std::to_string(level) + ".dat");
        std::string all((std::istreambuf_iterator<char>(data)), {});
        for (char& ch : all) ch = ch == ',' || ch == '"' ? ' ' : ch;
        std::istringstream values(all);
        double value = 0;
        int index = 0;
        while (index < 8 && values >> value) ++index;
        if (values >> value && value >= 2) return level;
    }
    return 0;
}

struct Seen {
    int inPlay = 0, x = 0, y = 0, falling = 0, fuse = 0;
};

struct Dump {
    int pass = 0, scrollX = 0, scrollY = 0, fuseUses = 0;
    std::vector<Seen> creatures;
};

long numberAfter(const std::string& text, const std::string& key, size_t from = 0) {
    const size_t at = text.find("\"" + key + "\":", from);
    if (at == std::string::npos) return -99999;
    return std::strtol(text.c_str() + at + key.size() + 3, nullptr, 10);
}

Dump parseDump(const std::string& line) {
    Dump d;
    d.pass = int(numberAfter(line, "pass"));
    d.scrollX = int(numberAfter(line, "scrollX"));
    d.scrollY = int(numberAfter(line, "scrollY"));
    const size_t values = line.find("\"levelValues\":[");
    std::istringstream list(line.substr(values + 15));
    long value = 0;
    char comma = 0;
    for (int i = 0; i <= 8 && list >> value; ++i, list >> comma) d.fuseUses = int(value);
    for (size_t at = line.find('{', line.find("\"creatures\":[")); at != std::string::npos;
         at = line.find('{', at + 1)) {
        d.creatures.push_back(Seen{int(numberAfter(line, "inPlay", at)), int(numberAfter(line, "x", at)),
                                   int(numberAfter(line, "y", at)), int(numberAfter(line, "falling", at)),
                                   int(numberAfter(line, "fuse", at))});
    }
    return d;
}

std::string replay(const std::string& script) {
    const std::string path = "creatures_replay_script.txt";
    std::ofstream(path) << script;
    std::string out;
    FILE* pipe = popen((std::string(BUILD_DIR) + "/eggsodus-replay " + path).c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0) << "the harness failed on:\n" << script;
    return out;
}

std::vector<Dump> dumpsOf(const std::string& out) {
    std::vector<Dump> dumps;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) dumps.push_back(parseDump(line));
    return dumps;
}

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Counts level pixels whose grid cell disagrees with the terrain picture.
int gridImageMismatches(const std::string& pgm, const std::string& bmp, int& emptyCells) {
    std::istringstream header(pgm);
    std::string magic;
    int columns = 0, rows = 0, depth = 0;
    header >> magic >> columns >> rows >> depth;
    const size_t cells = size_t(header.tellg()) + 1;
    auto le32 = [&](size_t at) { return uint32_t(uint8_t(bmp[at])) | uint32_t(uint8_t(bmp[at + 1])) << 8 |
                                         uint32_t(uint8_t(bmp[at + 2])) << 16 | uint32_t(uint8_t(bmp[at + 3])) << 24; };
    const size_t pixels = le32(10);
    const int width = int(le32(18));
    const int height = -int(int32_t(le32(22)));
    if (magic != "P5" || width + 1 != columns || height + 1 != rows ||
        pgm.size() < cells + size_t(columns) * rows || bmp.size() < pixels + size_t(width) * height * 4)
        return -1;
    int mismatches = 0;
    emptyCells = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool emptyCell = pgm[cells + size_t(y) * columns + x] == 0;
            const bool emptyPixel = le32(pixels + (size_t(y) * width + x) * 4) == 0xFFFF00FFu;
            mismatches += emptyCell != emptyPixel;
            emptyCells += emptyCell;
        }
    }
    return mismatches;
}

bool aloneUnderPointer(const Dump& d, int sx, int sy) {
    for (size_t i = 0; i < d.creatures.size(); ++i) {
        const Seen& c = d.creatures[i];
        const bool under = c.inPlay == 1 && std::abs(d.scrollX + c.x - sx) < 13 && std::abs(d.scrollY + c.y - sy) < 13;
        if (under != (i == 0)) return false;
    }
    return true;
}

TEST(Replay, HeldPressLightsOnceAndTheGridFollowsTheBlast) {
    const std::string level = "1 level " + std::to_string(levelWithTwoFuses()) + "\n";
    if (level == "1 level 0\n") GTEST_SKIP() << "no level gives two fuses";
    std::string probe = level;
    for (int pass = 40; pass <= 600; ++pass) probe += std::to_string(pass) + " dump\n";
    const std::vector<Dump> seen = dumpsOf(replay(probe));
    ASSERT_EQ(seen.size(), 561u);
    // A pass from which creature 0 walks for 8 passes, alone under the pointer.
    int start = 0;
    for (size_t i = 0; i + 8 < seen.size() && start == 0; ++i) {
        bool fits = true;
        for (size_t k = i; k <= i + 8 && fits; ++k) {
            const Seen& c = seen[k].creatures[0];
            const int sx = seen[k].scrollX + c.x, sy = seen[k].scrollY + c.y;
            fits = c.inPlay == 1 && c.falling == 0 && sx > 20 && sx < 620 && sy > 20 && sy < 380 &&
                   aloneUnderPointer(seen[k], sx, sy);
        }
        if (fits && seen[i].pass > 45) start = seen[i].pass;
    }
    ASSERT_GT(start, 0) << "creature 0 never walks alone in view on this level";
    auto at = [&](int pass) { return seen[size_t(pass - 40)]; };
    auto pointer = [&](int pass) {
        const Dump d = at(pass - 1);
        return std::to_string(pass) + " mouse " + std::to_string(d.scrollX + d.creatures[0].x) + " " +
               std::to_string(d.scrollY + d.creatures[0].y) + "\n";
    };
    auto pass = [&](int offset) { return std::to_string(start + offset); };
    const std::string script = level + pass(-4) + " select 8\n" +
                               pointer(start) + pass(0) + " button down left\n" + pass(3) + " dump\n" + pass(4) +
                               " button up left\n" + pointer(start + 6) + pass(6) + " button down left\n" +
                               pass(7) + " button up left\n" + pass(7) + " dump\n" + pass(400) + " dump\n" +
                               pass(400) + " grid creatures_blast.pgm\n" + pass(400) +
                               " terrain creatures_blast.bmp\n";
    const std::string out = replay(script);
    const std::vector<Dump> dumps = dumpsOf(out);
    ASSERT_EQ(dumps.size(), 3u);
    EXPECT_EQ(dumps[0].fuseUses, 1) << "four passes held, one use";
    EXPECT_EQ(dumps[0].creatures[0].fuse, 6);
    EXPECT_EQ(dumps[1].fuseUses, 0) << "a new press lights it again";
    EXPECT_EQ(dumps[1].creatures[0].fuse, 6);
    EXPECT_EQ(dumps[2].creatures[0].inPlay, 0);

    int emptyBefore = 0, emptyAfter = 0;
    const std::string before = level + "2 grid creatures_start.pgm\n2 terrain creatures_start.bmp\n";
    replay(before);
    EXPECT_EQ(gridImageMismatches(readAll("creatures_start.pgm"), readAll("creatures_start.bmp"), emptyBefore), 0);
    EXPECT_EQ(gridImageMismatches(readAll("creatures_blast.pgm"), readAll("creatures_blast.bmp"), emptyAfter), 0);
    EXPECT_GT(emptyAfter, emptyBefore) << "the blast emptied ground";
    EXPECT_EQ(replay(script), out) << "the same script plays the same way";
}

}  // namespace
