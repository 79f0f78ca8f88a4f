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
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "replay_support.h"

namespace {

namespace fs = std::filesystem;

const std::string gamePath = std::string(BUILD_DIR) + "/eggsodus";
const std::string work = std::string(BUILD_DIR) + "/replay-work/window-" + std::to_string(getpid());

bool haveTools(const std::string& names) {
    std::string command = "for tool in " + names + "; do command -v $tool > /dev/null || exit 1; done";
    return fs::exists(gamePath) && std::system(command.c_str()) == 0;
}

void xdotool(const std::string& arguments) { std::system(("xdotool " + arguments).c_str()); }

// Polls `done` until it holds or `ms` have passed (a loaded machine is slow).
template <typename Check>
bool within(int ms, Check done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// Under Xvfb already, or run this very test there and report how it went.
bool runUnderXvfb(const std::string& testName) {
    if (std::getenv("EGGSODUS_UNDER_XVFB") != nullptr) return true;
    std::string log = work + "-" + testName + ".log";
    fs::create_directories(fs::path(log).parent_path());
    // Tests run side by side: each looks for a free display from a number of its own.
    // A window manager, as on any desktop: full screen is its business.
    std::string self = fs::read_symlink("/proc/self/exe").string();
    std::string command = "EGGSODUS_UNDER_XVFB=1 timeout 120 xvfb-run -a -n " +
                          std::to_string(100 + getpid() % 800) + " -s '-screen 0 1280x800x24' sh -c '"
                          "if command -v openbox > /dev/null; then openbox > /dev/null 2>&1 & sleep 1; fi; "
                          "exec \"" + self + "\" --gtest_filter=WindowTest." + testName + "' > '" + log +
                          "' 2>&1";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readFile(log);
    return false;
}

// A window's contents, or with "root" the whole X screen, through ImageMagick's
// import as a 24-bit BMP: every pixel opaque, white outside or when it failed.
Picture takeScreenshot(const std::string& window = "root") {
    std::string path = work + ".bmp";
    Picture shot;
    std::string command = "import -window " + window + " -depth 8 -type TrueColor 'bmp3:" + path +
                          "' 2> /dev/null";
    if (std::system(command.c_str()) != 0 || !readPicture(path, shot)) return Picture{};
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
        std::string search = "timeout 10 xdotool search --sync --name '^eggsodus$' | head -n 1 > ";
        std::system((search + "'" + work + ".id'").c_str());
        window = std::to_string(std::atol(readFile(work + ".id").c_str()));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let the window manager place it
        return window != "0";
    }
    // Presses a key ("key space") or clicks a point "x y", if any, then waits for
    // pixel (gx, gy) of the window to show `colour`. Points are those of the
    // game's 640x480 picture, relative to the window so that its frame does not matter.
    bool shows(const std::string& input, int gx, int gy, uint32_t colour) const {
        if (input.starts_with("key")) xdotool(input);
        else if (!input.empty()) xdotool("mousemove --sync --window " + window + " " + input + " click 1");
        return within(5000, [&] { return takeScreenshot(window).at(gx, gy) == colour; });
    }
    ~Game() {
        if (pid > 0) {
            kill(pid, SIGKILL);  // the game takes a polite request to close as a key press
            waitpid(pid, nullptr, 0);
        }
    }
};

constexpr uint32_t buttonGrey = 0xFF808080;
constexpr uint32_t labelGrey = 0xFF7F7F7F;

TEST(WindowTest, FromTheMenuIntoPlayAndOut) {
    if (!haveTools("xvfb-run xdotool import")) GTEST_SKIP() << "needs the windowed game and X tools";
    if (!runUnderXvfb("FromTheMenuIntoPlayAndOut")) return;
    Game game;
    ASSERT_TRUE(game.start(prepareFolder("window-road", {{1, "pen.tmx", "pen-one.dat"}})))
        << "no window titled eggsodus";
    ASSERT_TRUE(game.shows("10 10", 265, 155, buttonGrey)) << "main menu: Play Game";  // over no button
    ASSERT_TRUE(game.shows("300 165", 255, 255, buttonGrey)) << "level screen: Play level";
    ASSERT_TRUE(game.shows("300 265", 600, 470, 0xFF000000)) << "loading screen";
    ASSERT_TRUE(game.shows("key space", 2, 402, 0xFF806040)) << "play screen: panel";
    EXPECT_TRUE(game.shows("", 76, 421, 0xFF005000)) << "play screen: skill 1 framed";
    EXPECT_TRUE(game.shows("", 100, 330, tileColours[1])) << "play screen: the level's floor";
    ASSERT_TRUE(game.shows("key Escape", 255, 155, labelGrey)) << "pause screen: the Pause label";
    EXPECT_TRUE(game.shows("", 2, 402, 0xFF3333BB)) << "pause screen: no panel";
    ASSERT_TRUE(game.shows("300 215", 265, 155, buttonGrey)) << "Return to menu: main menu";
    ASSERT_TRUE(game.shows("300 315", 165, 155, labelGrey)) << "exit confirmation";
    xdotool("mousemove --sync --window " + game.window + " 230 215 click 1");  // Yes
    int status = -1;
    bool ended = within(1000, [&] { return waitpid(game.pid, &status, WNOHANG) == game.pid; });
    if (ended) game.pid = -1;  // nothing left to kill
    EXPECT_TRUE(ended && WIFEXITED(status) && WEXITSTATUS(status) == 0) << "Yes ends the game at once";
}

// How many pixels of the X screen hold `colour`, and the box round them.
struct Box {
    int count = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Box boxOf(const Picture& shot, uint32_t colour) {
    Box box;
    for (int y = 0; y < shot.image.height; ++y)
        for (int x = 0; x < shot.image.width; ++x)
            if (shot.at(x, y) == colour)
                box = {box.count + 1, std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
    return box;
}

TEST(WindowTest, FullScreenClickLandsOnTheButtonDrawnUnderIt) {
    // Full screen needs a window manager.
    if (!haveTools("xvfb-run xdotool import openbox")) GTEST_SKIP() << "needs X tools and openbox";
    if (!runUnderXvfb("FullScreenClickLandsOnTheButtonDrawnUnderIt")) return;
    Game game;
    ASSERT_TRUE(game.start(prepareFolder("window-full", {}))) << "no window titled eggsodus";
    ASSERT_TRUE(game.shows("10 10", 265, 155, buttonGrey)) << "main menu";
    xdotool("key alt+Return");
    // The grey inside the menu's buttons spans rows 151..328 of the picture: find it, scaled up.
    Box box;
    within(3000, [&] {
        xdotool("mousemove --sync 1 1");  // away from every button, so none is lit
        box = boxOf(takeScreenshot(), buttonGrey);
        return box.bottom - box.top > 3 * (328 - 151) / 2;
    });
    ASSERT_GT(box.bottom - box.top, 3 * (328 - 151) / 2) << "the menu must be scaled up";
    // "Exit Game" is the fourth button; clicking its middle opens the exit confirmation.
    int exitY = box.top + (box.bottom - box.top) * (315 - 151) / (328 - 151);
    const std::string exitButton = std::to_string((box.left + box.right) / 2) + " " + std::to_string(exitY);
    // On a loaded machine the game may still be taking in the switch when the
    // first click comes; a click there on the confirmation screen hits nothing.
    EXPECT_TRUE(within(6000, [&] {
        xdotool("mousemove --sync " + exitButton + " click 1");
        return within(1500, [] { return boxOf(takeScreenshot(), labelGrey).count > 4000; });
    })) << "the click did not reach Exit Game";
}

}  // namespace
