// eggsodus-levelcheck [--preview DIR] LEVEL...
// Checks levels as the game would load them, from the current folder (the one
// holding maps\ and data\), and tells the level author in plain words what is
// wrong with each. LEVEL is a level number, or a map file name such as
// maps/map7.tmx. Exit status 0 when no level has an error.
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "level_report.h"

namespace {

// The loader waits for a key after some failures; here nobody is there to press one.
void pressAKey() { inputKeyEvent(57, true); }

int levelNumberOf(const std::string& argument) {
    std::smatch m;
    static const std::regex numberOnly("[0-9]{1,6}");
    static const std::regex mapName(".*map([0-9]{1,6})\\.(tmx|dat)");
    if (std::regex_match(argument, m, numberOnly)) return std::atoi(argument.c_str());
    if (std::regex_match(argument, m, mapName)) return std::atoi(m[1].str().c_str());
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string previewDir;
    int first = 1;
    if (argc >= 3 && std::string(argv[1]) == "--preview") {
        previewDir = argv[2];
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: eggsodus-levelcheck [--preview DIR] LEVEL...\n"
                             "LEVEL is a level number or a name like maps/map3.tmx; run it in the\n"
                             "folder that holds maps/ and data/.\n");
        return 2;
    }
    platformStart(argc, argv);
    setHeadlessPumpHook(pressAKey);
    if (openScreen(screenWidth, screenHeight, 32, 2, 0, 0) != 0) {
        std::fprintf(stderr, "eggsodus-levelcheck: cannot set up the drawing surface\n");
        return 1;
    }
    int failed = 0;
    for (int i = first; i < argc; ++i) {
        const int number = levelNumberOf(argv[i]);
        if (number < 0) {
            std::printf("%s: not a level number or map file name\n", argv[i]);
            ++failed;
            continue;
        }
        const std::string preview =
            previewDir.empty() ? "" : previewDir + "/level" + std::to_string(number) + "-preview.bmp";
        const LevelReport report = checkLevel(number, preview);
        std::printf("level %d: %s\n", number, report.errors.empty() ? "ok" : "has errors");
        for (const std::string& line : report.errors) std::printf("  error: %s\n", line.c_str());
        for (const std::string& line : report.warnings) std::printf("  warning: %s\n", line.c_str());
        for (const std::string& line : report.notes) std::printf("  note: %s\n", line.c_str());
        for (const std::string& line : report.summary) std::printf("  %s\n", line.c_str());
        if (!report.errors.empty()) ++failed;
    }
    return failed == 0 ? 0 : 1;
}
