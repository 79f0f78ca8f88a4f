#include "script.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>

namespace {

struct LineReader {
    std::vector<std::string_view> words;
    std::string_view rest;  // the text after the command word, for file names
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::optional<int64_t> wholeNumber(std::string_view word) {
    int64_t value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (first != last && *first == '+') ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

std::string quoted(std::string_view word) {
    std::string text = "'";
    for (char c : word.substr(0, 40)) text += (static_cast<unsigned char>(c) < 32 ? '?' : c);
    if (word.size() > 40) text += "...";
    return text + "'";
}

class ParseError {
public:
    std::string what;
};

[[noreturn]] void fail(std::string what) { throw ParseError{std::move(what)}; }

int32_t numberIn(std::string_view word, int64_t low, int64_t high, const char* what) {
    std::optional<int64_t> value = wholeNumber(word);
    if (!value || *value < low || *value > high)
        fail(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
             std::to_string(high) + ", not " + quoted(word));
    return static_cast<int32_t>(*value);
}

void expectWords(const std::vector<std::string_view>& words, size_t count, const char* usage) {
    if (words.size() < count) fail(std::string("incomplete command; write: P ") + usage);
    if (words.size() > count)
        fail("unexpected " + quoted(words[count]) + "; write: P " + usage);
}

int32_t buttonBit(std::string_view word) {
    if (word == "left") return 1;
    if (word == "right") return 2;
    if (word == "middle") return 4;
    fail("the button must be left, right or middle, not " + quoted(word));
}

// Turns one line's words into commands (two for the shorthands).
void parseCommand(const std::vector<std::string_view>& words, std::string_view rest,
                  ScriptCommand base, std::vector<ScriptCommand>& out) {
    std::string_view name = words[1];
    auto add = [&](CommandKind kind, int32_t a = 0, int32_t b = 0, int32_t passOffset = 0) {
        ScriptCommand command = base;
        command.kind = kind;
        command.a = a;
        command.b = b;
        command.pass += passOffset;
        out.push_back(command);
    };
    if (name == "key" || name == "button") {
        bool isKey = name == "key";
        const char* usage = isKey ? "key down|up SCANCODE" : "button down|up left|right|middle";
        if (words.size() < 4) fail(std::string("incomplete command; write: P ") + usage);
        expectWords(words, 4, usage);
        bool down = words[2] == "down";
        if (!down && words[2] != "up") fail("expected down or up, not " + quoted(words[2]));
        if (isKey)
            add(down ? CommandKind::keyDown : CommandKind::keyUp,
                numberIn(words[3], 0, 127, "the scancode"));
        else
            add(down ? CommandKind::buttonDown : CommandKind::buttonUp, buttonBit(words[3]));
    } else if (name == "mouse") {
        if (words.size() == 3 && words[2] == "out") return add(CommandKind::mouseOut);
        expectWords(words, 4, "mouse X Y  or  P mouse out");
        add(CommandKind::mouseMove, numberIn(words[2], 0, 639, "X"),
            numberIn(words[3], 0, 479, "Y"));
    } else if (name == "close") {
        expectWords(words, 2, "close");
        add(CommandKind::close);
    } else if (name == "level") {
        expectWords(words, 3, "level N");
        add(CommandKind::level, numberIn(words[2], 0, maxLevelNumber, "the level number"));
    } else if (name == "select") {
        expectWords(words, 3, "select SKILL");
        int32_t scancode = numberIn(words[2], 1, 8, "the skill") + 1;  // digit keys 1..8 are 2..9
        add(CommandKind::keyDown, scancode);
        add(CommandKind::keyUp, scancode, 0, 1);
    } else if (name == "click-creature") {
        expectWords(words, 3, "click-creature INDEX");
        add(CommandKind::clickCreature, numberIn(words[2], 0, 99, "the creature index"));
        add(CommandKind::buttonUp, 1, 0, 1);
    } else if (name == "dump" || name == "end") {
        expectWords(words, 2, name == "dump" ? "dump" : "end");
        add(name == "dump" ? CommandKind::dump : CommandKind::end);
    } else if (name == "shot" || name == "terrain" || name == "grid") {
        std::string_view file = trimBlanks(rest);
        if (file.empty()) fail("missing file name; write: P " + std::string(name) + " FILE");
        add(name == "shot" ? CommandKind::shot
                           : name == "terrain" ? CommandKind::terrain : CommandKind::grid);
        out.back().file = std::string(file);
    } else {
        fail("unknown command " + quoted(name) +
             " (known: key, mouse, button, close, level, select, click-creature, dump, shot, "
             "terrain, grid, end)");
    }
}

void parseLine(std::string_view line, int32_t lineNumber, std::vector<ScriptCommand>& out) {
    if (size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    std::vector<std::string_view> words = splitWords(line);
    if (words.empty()) return;
    ScriptCommand base;
    base.line = lineNumber;
    base.pass = numberIn(words[0], 1, maxPass, "the pass number");
    if (words.size() < 2) fail("a pass number needs a command after it");
    size_t nameEnd = static_cast<size_t>(words[1].data() - line.data()) + words[1].size();
    parseCommand(words, line.substr(nameEnd), base, out);
}

}  // namespace

bool isInputCommand(CommandKind kind) {
    switch (kind) {
        case CommandKind::dump:
        case CommandKind::shot:
        case CommandKind::terrain:
        case CommandKind::grid:
        case CommandKind::end:
            return false;
        default:
            return true;
    }
}

ScriptResult parseScript(std::string_view text) {
    ScriptResult result;
    if (text.size() > maxScriptBytes) {
        result.error = "the script is larger than " + std::to_string(maxScriptBytes >> 20) + " MiB";
        return result;
    }
    std::vector<ScriptCommand>& commands = result.script.commands;
    int32_t lineNumber = 0;
    size_t start = 0;
    try {
        while (start < text.size()) {
            size_t stop = text.find('\n', start);
            if (stop == std::string_view::npos) stop = text.size();
            ++lineNumber;
            if (stop - start > maxScriptLineBytes)
                fail("the line is longer than " + std::to_string(maxScriptLineBytes) + " characters");
            parseLine(text.substr(start, stop - start), lineNumber, commands);
            if (commands.size() > maxScriptCommands)
                fail("more than " + std::to_string(maxScriptCommands) + " commands");
            start = stop + 1;
        }
    } catch (const ParseError& error) {
        result.error = "line " + std::to_string(lineNumber) + ": " + error.what;
        commands.clear();
        return result;
    }
    std::stable_sort(commands.begin(), commands.end(),
                     [](const ScriptCommand& a, const ScriptCommand& b) { return a.pass < b.pass; });
    int32_t last = 0;
    for (const ScriptCommand& command : commands) {
        if (command.kind == CommandKind::end) {
            last = command.pass;  // sorted, so this is the earliest end
            break;
        }
        last = std::max(last, command.pass);
    }
    result.script.lastPass = last;
    result.ok = true;
    return result;
}

ScriptResult readScript(const std::string& path) {
    std::string text;
    auto readAll = [&](std::istream& in) {
        char buffer[65536];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            text.append(buffer, static_cast<size_t>(in.gcount()));
            if (text.size() > maxScriptBytes) return;
        }
    };
    if (path == "-") {
        readAll(std::cin);
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            ScriptResult result;
            result.error = "cannot open the script " + path;
            return result;
        }
        readAll(file);
    }
    return parseScript(text);
}
