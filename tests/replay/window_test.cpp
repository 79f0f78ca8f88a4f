// The real game in a real window under Xvfb, driven with xdotool and watched
// through screenshots: from the menu into play, pause, back and out; and a
// click in full screen landing on the button drawn under it.
//
// The test re-runs itself under xvfb-run; it is skipped when the windowed game
// was not built or the X tools are missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "replay_support.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string gamePath = std::string(BUILD_DIR) + "/eggsodus";

bool haveTool(const std::string& name) {
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Under Xvfb already, or run this very test there and report how it went.
bool runUnderXvfb(const std::string& testName) {
    if (std::getenv("EGGSODUS_UNDER_XVFB") != nullptr) return true;
    std::string log = std::string(BUILD_DIR) + "/replay-work/" + testName + ".log";
    fs::create_directories(fs::path(log).parent_path());
    // A window manager, as on any desktop: full screen is its business.
    std::string self = fs::read_symlink("/proc/self/exe").string();
    // Tests run side by side: each looks for a free display from a number of its own.
    std::string firstDisplay = std::to_string(100 + getpid() % 800);
    std::string command = "EGGSODUS_UNDER_XVFB=1 timeout 120 xvfb-run -a -n " + firstDisplay +
                          " -s '-screen 0 1280x800x24' sh -c '"
                          "if command -v openbox > /dev/null; then openbox > /dev/null 2>&1 & sleep 1; fi; "
                          "exec \"" + self + "\" --gtest_filter=WindowTest." + testName + "' > '" + log + "' 2>&1";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readFile(log);
    return false;
}

struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    uint32_t at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
        size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
        return static_cast<uint32_t>(rgb[i]) << 16 | static_cast<uint32_t>(rgb[i + 1]) << 8 | rgb[i + 2];
    }
};

// A window's contents, or with "root" the whole X screen, through ImageMagick's
// import, as a binary PPM.
Screenshot takeScreenshot(const std::string& window = "root") {
    std::string path = std::string(BUILD_DIR) + "/replay-work/window-shot-" + std::to_string(getpid()) + ".ppm";
    Screenshot shot;
    if (std::system(("import -window " + window + " -depth 8 'ppm:" + path + "' 2> /dev/null").c_str()) != 0)
        return shot;
    std::string bytes = readFile(path);
    int maxValue = 0, used = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", &shot.width, &shot.height, &maxValue, &used) != 3 ||
        maxValue != 255)
        return Screenshot{};
    size_t size = static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height) * 3;
    size_t start = static_cast<size_t>(used) + 1;
    if (bytes.size() < start + size) return Screenshot{};
    shot.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                    bytes.begin() + static_cast<std::ptrdiff_t>(start + size));
    return shot;
}

struct Game {
    pid_t pid = -1;
    std::string window;

    bool start(const std::string& folder) {
        pid = fork();
        if (pid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(127);
            execl(gamePath.c_str(), gamePath.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        window = commandOutput("timeout 10 xdotool search --sync --name '^eggsodus$' | head -n 1");
        while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) window.pop_back();
        if (window.empty()) return false;
        pause(500);  // let the window manager place it
        return true;
    }
    // A click at a point of the game's 640x480 picture (windowed), placed
    // relative to the window itself so that its frame does not matter.
    void click(int gx, int gy) const {
        std::system(("xdotool mousemove --sync --window " + window + " " + std::to_string(gx) + " " +
                     std::to_string(gy) + " click 1").c_str());
    }
    static void clickScreen(int sx, int sy) {
        std::system(("xdotool mousemove --sync " + std::to_string(sx) + " " + std::to_string(sy) +
                     " click 1").c_str());
    }
    static void key(const std::string& name) { std::system(("xdotool key " + name).c_str()); }
    // Waits up to five seconds (a loaded machine is slow) for pixel (gx, gy) to show `colour`.
    bool shows(int gx, int gy, uint32_t colour) const {
        auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline) {
            if (takeScreenshot(window).at(gx, gy) == colour) return true;
            pause(50);
        }
        return false;
    }
    // Waits up to `ms` for the game to end; its exit status, or -1.
    int exitStatus(int ms) {
        auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            pause(10);
        }
        return -1;
    }
    ~Game() {
        if (pid > 0) {
            kill(pid, SIGKILL);  // the game takes a polite request to close as a key press
            waitpid(pid, nullptr, 0);
        }
    }
};

bool skipUnlessPossible() {
    if (!fs::exists(gamePath)) return true;
    for (const char* tool : {"xvfb-run", "xdotool", "import"})
        if (!haveTool(tool)) return true;
    return false;
}

TEST(WindowTest, FromTheMenuIntoPlayAndOut) {
    if (skipUnlessPossible()) GTEST_SKIP() << "needs the windowed game, xvfb-run, xdotool and import";
    if (!runUnderXvfb("FromTheMenuIntoPlayAndOut")) return;
    std::string folder = prepareFolder("window-road", {{1, "pen.tmx", "pen-one.dat"}});
    Game game;
    ASSERT_TRUE(game.start(folder)) << "no window titled eggsodus";
    game.click(10, 10);  // pointer inside, over no button
    ASSERT_TRUE(game.shows(265, 155, 0x808080)) << "main menu: Play Game";
    game.click(300, 165);
    ASSERT_TRUE(game.shows(255, 255, 0x808080)) << "level screen: Play level";
    game.click(300, 265);
    ASSERT_TRUE(game.shows(600, 470, 0x000000)) << "loading screen";
    Game::key("space");
    ASSERT_TRUE(game.shows(2, 402, 0x806040)) << "play screen: panel";
    EXPECT_TRUE(game.shows(76, 421, 0x005000)) << "play screen: skill 1 framed";
    EXPECT_TRUE(game.shows(100, 330, tileColours[1] & 0xFFFFFF)) << "play screen: the level's floor";
    Game::key("Escape");
    ASSERT_TRUE(game.shows(255, 155, 0x7F7F7F)) << "pause screen: the Pause label";
    EXPECT_TRUE(game.shows(2, 402, 0x3333BB)) << "pause screen: no panel";
    game.click(300, 215);
    ASSERT_TRUE(game.shows(265, 155, 0x808080)) << "Return to menu: main menu";
    game.click(300, 315);
    ASSERT_TRUE(game.shows(165, 155, 0x7F7F7F)) << "exit confirmation";
    game.click(230, 215);
    EXPECT_EQ(game.exitStatus(1000), 0) << "Yes ends the game at once with status 0";
}

// Row bands of the X screen that hold the grey of an idle button.
std::vector<std::pair<int, int>> greyBands(const Screenshot& shot, int& left, int& right) {
    std::vector<std::pair<int, int>> bands;
    left = shot.width;
    right = -1;
    bool inBand = false;
    for (int y = 0; y < shot.height; ++y) {
        bool grey = false;
        for (int x = 0; x < shot.width; ++x) {
            if (shot.at(x, y) != 0x808080) continue;
            grey = true;
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (grey && !inBand) bands.push_back({y, y});
        if (grey) bands.back().second = y;
        inBand = grey;
    }
    return bands;
}

TEST(WindowTest, FullScreenClickLandsOnTheButtonDrawnUnderIt) {
    if (skipUnlessPossible()) GTEST_SKIP() << "needs the windowed game, xvfb-run, xdotool and import";
    if (!haveTool("openbox")) GTEST_SKIP() << "full screen needs a window manager: openbox";
    if (!runUnderXvfb("FullScreenClickLandsOnTheButtonDrawnUnderIt")) return;
    std::string folder = prepareFolder("window-full", {});
    Game game;
    ASSERT_TRUE(game.start(folder)) << "no window titled eggsodus";
    game.click(10, 10);
    ASSERT_TRUE(game.shows(265, 155, 0x808080)) << "main menu";
    Game::key("alt+Return");
    // The menu's four buttons, scaled up: find them where they are drawn now.
    std::vector<std::pair<int, int>> bands;
    int left = 0, right = 0;
    auto deadline = Clock::now() + std::chrono::seconds(3);
    do {
        pause(100);
        std::system("xdotool mousemove --sync 1 1");  // away from every button, so none is lit
        bands = greyBands(takeScreenshot(), left, right);
    } while (Clock::now() < deadline && !(bands.size() == 4 && bands[0].second - bands[0].first > 40));
    ASSERT_EQ(bands.size(), 4u) << "the four menu buttons";
    EXPECT_GT(bands[3].second - bands[3].first, 40) << "buttons 28 px high inside must be scaled up";
    // "Exit Game" is the fourth; clicking its middle opens the exit confirmation.
    Game::clickScreen((left + right) / 2, (bands[3].first + bands[3].second) / 2);
    bool confirmation = false;
    deadline = Clock::now() + std::chrono::seconds(2);
    while (!confirmation && Clock::now() < deadline) {
        Screenshot shot = takeScreenshot();
        int labelPixels = 0;
        for (int y = 0; y < shot.height; y += 2)
            for (int x = 0; x < shot.width; x += 2) labelPixels += shot.at(x, y) == 0x7F7F7F;
        confirmation = labelPixels > 1000;
        pause(50);
    }
    EXPECT_TRUE(confirmation) << "the click did not reach Exit Game";
}

}  // namespace
