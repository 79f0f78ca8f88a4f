// Replay scripts: one command a line, each starting with the pass it belongs to.
//
//   120 mouse 300 165        # pointer over a button before pass 120
//   121 button down left
//   400 dump                 # one JSON line after pass 400
//
// Shorthands are expanded when the script is read: `select S` becomes a key
// down in pass P and a key up in pass P + 1; `click-creature I` becomes a press
// on the creature in pass P (placed when the pass comes) and a release in P + 1.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class CommandKind {
    keyDown,
    keyUp,
    mouseMove,
    mouseOut,
    buttonDown,
    buttonUp,
    close,
    level,
    clickCreature,  // pointer onto creature `a`, left button down
    dump,
    shot,
    terrain,
    grid,
    end,
};

struct ScriptCommand {
    int32_t pass = 0;
    int32_t line = 0;  // script line, for messages
    CommandKind kind = CommandKind::dump;
    int32_t a = 0;     // scancode, x, button bit, level or creature index
    int32_t b = 0;     // y
    std::string file;  // shot, terrain, grid
};

struct Script {
    // Every command, sorted by pass; commands of one pass keep their script order.
    std::vector<ScriptCommand> commands;
    // The pass after which the run stops: the first `end`, else the last pass named.
    int32_t lastPass = 0;
};

struct ScriptResult {
    bool ok = false;
    Script script;
    std::string error;  // "line N: ..." when not ok
};

// Limits that keep a hostile or broken script from eating the machine.
constexpr int32_t maxPass = 1000000;              // about five and a half hours of play
constexpr size_t maxScriptBytes = 16u << 20;      // 16 MiB
constexpr size_t maxScriptLineBytes = 4096;
constexpr size_t maxScriptCommands = 200000;
// Far beyond any level set, and far from the end of the number range, where
// the search for the next level would run past it.
constexpr int32_t maxLevelNumber = 1000000;

bool isInputCommand(CommandKind kind);

ScriptResult parseScript(std::string_view text);
// Reads `path` (or standard input for "-") within maxScriptBytes, then parses it.
ScriptResult readScript(const std::string& path);
