// Reading replay scripts: what each line becomes, and the message a bad line gets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "dump.h"
#include "script.h"

namespace {

// A compact picture of a command, "pass:kind:a:b:file", for comparing lists.
std::string describe(const ScriptCommand& c) {
    static const char* names[] = {"keyDown", "keyUp",   "mouse", "mouseOut", "buttonDown",
                                  "buttonUp", "close",  "level", "click",    "dump",
                                  "shot",     "terrain", "grid", "end"};
    std::vector<std::string> parts = {std::to_string(c.pass), names[static_cast<int>(c.kind)]};
    if (c.kind == CommandKind::mouseMove) parts.push_back(std::to_string(c.a));
    if (c.kind == CommandKind::mouseMove || (c.file.empty() && c.a != 0))
        parts.push_back(std::to_string(c.kind == CommandKind::mouseMove ? c.b : c.a));
    if (!c.file.empty()) parts.push_back(c.file);
    std::string text;
    for (const std::string& part : parts) text.append(text.empty() ? "" : ":").append(part);
    return text;
}

std::vector<std::string> describeAll(const Script& script) {
    std::vector<std::string> out;
    for (const ScriptCommand& c : script.commands) out.push_back(describe(c));
    return out;
}

struct GoodCase {
    const char* name;
    const char* text;
    std::vector<std::string> commands;
    int32_t lastPass;
};

TEST(ScriptTest, ReadsEveryCommandInPassOrder) {
    const GoodCase cases[] = {
        {"empty script", "", {}, 0},
        {"comments and blank lines", "# a comment\n\n   \t\n5 dump # after\n", {"5:dump"}, 5},
        {"keys and buttons",
         "1 key down 1\n2 key up 1\n3 button down left\n3 button up right\n4 button down middle\n",
         {"1:keyDown:1", "2:keyUp:1", "3:buttonDown:1", "3:buttonUp:2", "4:buttonDown:4"}, 4},
        {"pointer", "1 mouse 0 0\n2 mouse 639 479\n3 mouse out\n",
         {"1:mouse:0:0", "2:mouse:639:479", "3:mouseOut"}, 3},
        {"select is a key down then a key up one pass later", "10 select 8\n",
         {"10:keyDown:9", "11:keyUp:9"}, 11},
        {"click-creature releases the button one pass later", "7 click-creature 3\n",
         {"7:click:3", "8:buttonUp:1"}, 8},
        {"passes sorted, script order kept within a pass",
         "9 dump\n3 key down 2\n5 select 1\n6 key down 20\n3 mouse 1 2\n",
         {"3:keyDown:2", "3:mouse:1:2", "5:keyDown:2", "6:keyUp:2", "6:keyDown:20", "9:dump"}, 9},
        {"the earliest end stops the run", "50 end\n10 end\n70 dump\n", {"10:end", "50:end", "70:dump"}, 10},
        {"level, close and pictures", "1 level 12\n2 close\n3 shot out/a b.bmp \n4 terrain t.bmp\n4 grid g.pgm\n",
         {"1:level:12", "2:close", "3:shot:out/a b.bmp", "4:terrain:t.bmp", "4:grid:g.pgm"}, 4},
        {"tabs, CRLF and a plus sign", "\t2\tkey\tdown\t+3\r\n4 dump\r\n", {"2:keyDown:3", "4:dump"}, 4},
    };
    for (const GoodCase& c : cases) {
        ScriptResult result = parseScript(c.text);
        ASSERT_TRUE(result.ok) << c.name << ": " << result.error;
        EXPECT_EQ(describeAll(result.script), c.commands) << c.name;
        EXPECT_EQ(result.script.lastPass, c.lastPass) << c.name;
    }
}

TEST(ScriptTest, CommandsRememberTheirLine) {
    ScriptResult result = parseScript("# header\n\n3 dump\n1 select 2\n");
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.script.commands.size(), 3u);
    EXPECT_EQ(result.script.commands[0].line, 4);
    EXPECT_EQ(result.script.commands[1].line, 4);
    EXPECT_EQ(result.script.commands[2].line, 3);
}

struct BadCase {
    const char* text;
    const char* expected;  // the start of the message
};

TEST(ScriptTest, RejectsBadLinesNamingTheLine) {
    const BadCase cases[] = {
        {"1 dump\nx dump\n", "line 2: the pass number must be"},
        {"0 dump\n", "line 1: the pass number must be a whole number from 1 to"},
        {"1000001 dump\n", "line 1: the pass number"},
        {"99999999999999999999999 dump\n", "line 1: the pass number"},
        {"-4 dump\n", "line 1: the pass number"},
        {"1.5 dump\n", "line 1: the pass number"},
        {"7\n", "line 1: a pass number needs a command"},
        {"1 jump\n", "line 1: unknown command 'jump'"},
        {"1 key down\n", "line 1: incomplete command"},
        {"1 key press 4\n", "line 1: expected down or up"},
        {"1 key down 128\n", "line 1: the scancode must be"},
        {"1 key down -1\n", "line 1: the scancode"},
        {"1 key down 4 5\n", "line 1: unexpected '5'"},
        {"1 key down 0x10\n", "line 1: the scancode"},
        {"1 button down both\n", "line 1: the button must be left, right or middle"},
        {"1 mouse 640 10\n", "line 1: X must be"},
        {"1 mouse 10 480\n", "line 1: Y must be"},
        {"1 mouse 10\n", "line 1: incomplete command"},
        {"1 mouse in\n", "line 1: incomplete command"},
        {"1 select 0\n", "line 1: the skill must be"},
        {"1 select 9\n", "line 1: the skill must be"},
        {"1 click-creature 100\n", "line 1: the creature index must be"},
        {"1 level -1\n", "line 1: the level number"},
        {"1 level 2147483647\n", "line 1: the level number must be a whole number from 0 to 1000000"},
        {"1 level\n", "line 1: incomplete command"},
        {"1 shot\n", "line 1: missing file name"},
        {"1 grid   # only a comment\n", "line 1: missing file name"},
        {"1 dump now\n", "line 1: unexpected 'now'"},
        {"1 end 5\n", "line 1: unexpected '5'"},
        {"1 close door\n", "line 1: unexpected 'door'"},
    };
    for (const BadCase& c : cases) {
        ScriptResult result = parseScript(c.text);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.error.rfind(c.expected, 0), 0u) << c.text << " gave: " << result.error;
        EXPECT_TRUE(result.script.commands.empty()) << c.text;
    }
}

TEST(ScriptTest, KeepsWithinItsLimits) {
    std::string longLine = "1 shot " + std::string(maxScriptLineBytes, 'a') + "\n";
    ScriptResult result = parseScript("1 dump\n" + longLine);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error.rfind("line 2: the line is longer than", 0), 0u) << result.error;

    std::string many;
    for (size_t i = 0; i <= maxScriptCommands; ++i) many += "1 dump\n";
    result = parseScript(many);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("more than"), std::string::npos) << result.error;

    // A quoted word in a message is cut short and shows no control characters.
    result = parseScript("1 " + std::string(100, 'z') + "\x01\n");
    EXPECT_FALSE(result.ok);
    EXPECT_LT(result.error.size(), 300u);
}

TEST(ScriptTest, MissingScriptFileIsReported) {
    ScriptResult result = readScript("no/such/script.txt");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("cannot open"), std::string::npos);
}

TEST(DumpTextTest, FloatsReadBackToTheSameValue) {
    const float values[] = {0.0f, -100.0f, 12.5f, 0.1f, 1.0f / 3.0f, 123456.789f, -0.000123f, 3.4e38f};
    for (float value : values) {
        std::string text = jsonFloat(value);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
        EXPECT_EQ(text.find_first_of(" ,"), std::string::npos) << text;
    }
    EXPECT_EQ(jsonFloat(-100.0f), "-100");
    EXPECT_EQ(jsonFloat(std::nanf("")), "null");
    EXPECT_EQ(jsonDouble(1000.0201), "1000.0201");
    EXPECT_EQ(jsonDouble(1000.0), "1000");
}

TEST(DumpTextTest, StringsAreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"Play Game", "\"Play Game\""},
        {"<<-- Back", "\"<<-- Back\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {std::string("tab\there\n", 9), "\"tab\\u0009here\\u000a\""},
        {"\xE9\x7F", "\"\\u00e9\\u007f\""},
        {"", "\"\""},
    };
    for (const auto& [text, json] : cases) EXPECT_EQ(jsonString(text), json);
}

}  // namespace
