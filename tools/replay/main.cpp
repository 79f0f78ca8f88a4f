// eggsodus-replay SCRIPT | -       runs the game headless against a script
// eggsodus-replay --bmp IN OUT     decodes IN with the game's BMP loader into OUT
#include <cstdio>
#include <string>

#include "runner.h"
#include "script.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: eggsodus-replay SCRIPT      (a file, or - for standard input)\n"
                 "       eggsodus-replay --bmp IN OUT\n");
    return replayBadScript;
}

int report(int status, const std::string& where, const std::string& message) {
    if (status != replayOk) std::fprintf(stderr, "eggsodus-replay: %s%s\n", where.c_str(), message.c_str());
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::string message;
    if (argc == 4 && std::string(argv[1]) == "--bmp")
        return report(convertBmp(argv[2], argv[3], message), "", message);
    if (argc != 2 || std::string(argv[1]).rfind("--", 0) == 0) return usage();
    std::string path = argv[1];
    ScriptResult parsed = readScript(path);
    if (!parsed.ok) return report(replayBadScript, path + ": ", parsed.error);
    return report(runReplay(parsed.script, argc, argv, message), path + ": ", message);
}
