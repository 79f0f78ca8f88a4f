#include "runner.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "creatures/creature_table.h"
#include "dump.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "levels/tmx_reader.h"
#include "platform/bmp.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"

namespace {

struct ReplayStop {
    int status;
    std::string message;
};

// The longest the game may wait with no input left before we call it stuck:
// its own timed pauses last at most a few seconds, the wait for a key forever.
constexpr int32_t idleTestsBeforeStuck = 200;  // 200 tests of 50 ms: 10 s

struct Runner {
    const Script* script = nullptr;
    std::vector<const ScriptCommand*> inputs;   // in pass order
    std::vector<const ScriptCommand*> outputs;  // in pass order
    size_t nextInput = 0;
    size_t nextOutput = 0;
    int32_t pass = 0;
    int32_t idleTests = 0;
    bool enteringLevel = false;
};

Runner runner;

std::string lineText(const ScriptCommand& command) { return "line " + std::to_string(command.line); }

// Pointer onto creature I's reference point on the screen, left button down.
void pressOnCreature(const ScriptCommand& command) {
    const Creature& creature = creatures[command.a];
    int64_t x = int64_t{scrollX} + creature.x;
    int64_t y = int64_t{scrollY} + creature.y;
    if (x < 0 || x >= screenWidth || y < 0 || y >= 400)
        throw ReplayStop{replayBadScript,
                         lineText(command) + ": creature " + std::to_string(command.a) +
                             " is at screen point (" + std::to_string(x) + ", " + std::to_string(y) +
                             ") in pass " + std::to_string(command.pass) +
                             ", outside the 640x400 view; scroll to it first"};
    if (creature.inPlay != 1)
        std::fprintf(stderr, "eggsodus-replay: %s: creature %d is not in play in pass %d\n",
                     lineText(command).c_str(), command.a, command.pass);
    inputFocus(true);
    inputPointerMove(static_cast<int32_t>(x), static_cast<int32_t>(y));
    inputButtonEvent(buttonLeft, true);
}

void enterLevel(const ScriptCommand& command) {
    if (runner.enteringLevel || screen == screenLoading)
        throw ReplayStop{replayFailed, lineText(command) + ": the level command of pass " +
                                           std::to_string(command.pass) +
                                           " came while the game was waiting for a key or pausing in pass " +
                                           std::to_string(runner.pass) +
                                           "; give it a key press before the level command"};
    levelNumber = command.a;
    runner.idleTests = 0;  // each load has its own pauses
    runner.enteringLevel = true;
    runLoadingScreen(false);
    runner.enteringLevel = false;
}

void applyInput(const ScriptCommand& command) {
    switch (command.kind) {
        case CommandKind::keyDown: inputKeyEvent(command.a, true); break;
        case CommandKind::keyUp: inputKeyEvent(command.a, false); break;
        case CommandKind::mouseMove:
            inputFocus(true);
            inputPointerMove(command.a, command.b);
            break;
        case CommandKind::mouseOut: inputPointerLeave(); break;
        case CommandKind::buttonDown: inputButtonEvent(command.a, true); break;
        case CommandKind::buttonUp: inputButtonEvent(command.a, false); break;
        case CommandKind::close: inputCloseRequest(); break;
        case CommandKind::level: enterLevel(command); break;
        case CommandKind::clickCreature: pressOnCreature(command); break;
        default: break;
    }
}

// Applies every input command of the earliest pass that still has any.
bool applyNextInputGroup() {
    if (runner.nextInput >= runner.inputs.size()) return false;
    int32_t groupPass = runner.inputs[runner.nextInput]->pass;
    while (runner.nextInput < runner.inputs.size() && runner.inputs[runner.nextInput]->pass == groupPass)
        applyInput(*runner.inputs[runner.nextInput++]);
    return true;
}

void applyInputsUpTo(int32_t pass) {
    while (runner.nextInput < runner.inputs.size() && runner.inputs[runner.nextInput]->pass <= pass)
        applyNextInputGroup();
}

// Called each time a pause or the wait for a key is about to test the key flag,
// also inside a level command: the next input comes first, even when a key
// pressed earlier is still pending and ends the wait anyway.
void feedWaitingGame() {
    if (applyNextInputGroup()) {
        runner.idleTests = 0;
        return;
    }
    if (++runner.idleTests >= idleTestsBeforeStuck)
        throw ReplayStop{replayFailed, "the game waits for a key in pass " + std::to_string(runner.pass) +
                                           " and the script has no input left"};
}

void writeOutput(const ScriptCommand& command) {
    bool written = true;
    std::string path = hostPath(command.file);
    switch (command.kind) {
        case CommandKind::dump: {
            std::string line = dumpLine(runner.pass) + '\n';
            std::fwrite(line.data(), 1, line.size(), stdout);
            break;
        }
        case CommandKind::shot: written = writeBmp32(path, displaySurface); break;
        case CommandKind::terrain: {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);  // no picture when there is no terrain
            if (terrainImage != nullptr) written = writeBmp32(path, *terrainImage);
            break;
        }
        case CommandKind::grid: written = writeGridPgm(command.file); break;
        default: break;
    }
    if (!written) throw ReplayStop{replayFailed, lineText(command) + ": cannot write " + command.file};
}

void writeOutputsOf(int32_t pass) {
    while (runner.nextOutput < runner.outputs.size() && runner.outputs[runner.nextOutput]->pass <= pass)
        writeOutput(*runner.outputs[runner.nextOutput++]);
}

void prepare(const Script& script) {
    runner = Runner{};
    runner.script = &script;
    for (const ScriptCommand& command : script.commands) {
        if (command.pass > script.lastPass) continue;  // after the end: never run
        (isInputCommand(command.kind) ? runner.inputs : runner.outputs).push_back(&command);
    }
}

}  // namespace

int runReplay(const Script& script, int argc, char** argv, std::string& message) {
    prepare(script);
    setHeadlessPumpHook(feedWaitingGame);
    int status = replayOk;
    try {
        startGame(argc, argv);
        for (runner.pass = 1; runner.pass <= script.lastPass; ++runner.pass) {
            runner.idleTests = 0;
            applyInputsUpTo(runner.pass);
            runPass();
            writeOutputsOf(runner.pass);
            if (running == 0) break;  // the game quit through its exit screen
        }
    } catch (const ReplayStop& stop) {
        status = stop.status;
        message = stop.message;
    }
    std::fflush(stdout);
    setHeadlessPumpHook(nullptr);
    endGame();
    return status;
}

int convertBmp(const std::string& in, const std::string& out, std::string& message) {
    char name[] = "eggsodus-replay";
    char* arguments[] = {name, nullptr};
    platformStart(1, arguments);
    openScreen(screenWidth, screenHeight, 32, 2);
    int32_t width = 0;
    int32_t height = 0;
    probeImageSize(in, width, height);
    // A top-down file gives a negative height; its size is the absolute value.
    int64_t rows = height < 0 ? -int64_t{height} : height;
    Image* image = rows <= INT32_MAX ? createImage(width, static_cast<int32_t>(rows)) : nullptr;
    // Without an image (a size the header cannot have) the loader still says why.
    int status = loadBmp(in, image);
    std::printf("status %d\n", status);
    std::fflush(stdout);
    int result = replayOk;
    if (image != nullptr) {
        if (!writeBmp32(hostPath(out), *image)) {
            message = "cannot write " + out;
            result = replayFailed;
        }
        destroyImage(image);
    }
    closeScreen();
    return result;
}
