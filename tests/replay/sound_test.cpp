// Which rule makes which sound: whole runs of the game in this process, the
// headless backend's record of plays read afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "replay_support.h"
#include "runner.h"
#include "script.h"
#include "shell/sound_effects.h"

namespace fs = std::filesystem;

namespace {

std::vector<HeadlessSoundPlay> soundsOf(const std::string& name, const std::vector<LevelFiles>& levels,
                                        const std::string& text) {
    const fs::path folder = prepareFolder("sound-" + name, levels);
    fs::copy(fs::path(BUILD_DIR) / "data" / "sounds", folder / "data" / "sounds");
    const ScriptResult parsed = parseScript(text);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    resetHeadlessSounds();
    char program[] = "eggsodus-replay";
    char* arguments[] = {program, nullptr};
    std::string message;
    EXPECT_EQ(runReplay(parsed.script, 1, arguments, message), 0) << message;
    fs::current_path(before);
    return headlessSoundPlays();
}

std::map<int, int> countById(const std::vector<HeadlessSoundPlay>& plays) {
    std::map<int, int> counts;
    for (const HeadlessSoundPlay& play : plays) ++counts[play.id];
    return counts;
}

const HeadlessSoundPlay* firstOf(const std::vector<HeadlessSoundPlay>& plays, SoundEffect sound) {
    for (const HeadlessSoundPlay& play : plays)
        if (play.id == sound) return &play;
    return nullptr;
}

const LevelFiles walkWin = {1, "walk.tmx", "walk-win.dat"};
// The arm-all box under the skill boxes.
const std::string armAll = clickAt(300, 496, 441);

const std::string lightOne = line(290, "select 8") + line(300, "click-creature 4");

TEST(Sounds, EachRuleMakesItsOwnSoundAndManyEggsAtOnceOneLouderSound) {
    const struct {
        const char* name;
        LevelFiles level;
        std::string script;
        std::map<int, int> heard;  // plays by sound; sounds not named are not heard
    } cases[] = {
        {"two saved, level won", walkWin, line(1, "level 1") + line(700, "end"),
         {{soundEntrance, 2}, {soundSaved, 2}, {soundLevelWon, 1}}},
        {"both fall to their death, level lost", {1, "drop.tmx", "walk-win.dat"},
         line(1, "level 1") + line(700, "end"),
         {{soundEntrance, 2}, {soundFatalFall, 2}, {soundLevelLost, 1}}},
        {"sound off before play", walkWin, line(1, "key down 50") + line(1, "level 1") + line(700, "end"), {}},
        {"one lit", {1, "pen.tmx", "pen.dat"}, line(1, "level 1") + lightOne + line(700, "end"),
         {{soundEntrance, 10}, {soundFuseLit, 1}, {soundFuseTick, 3}, {soundExplosion, 1}}},
        // Every egg armed at once: one tick a second for the last three, one explosion.
        {"all armed", {1, "pen.tmx", "pen.dat"}, line(1, "level 1") + armAll + line(700, "end"),
         {{soundEntrance, 10}, {soundClick, 1}, {soundFuseLit, 1}, {soundFuseTick, 3}, {soundExplosion, 1}}},
    };
    std::vector<HeadlessSoundPlay> plays;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<HeadlessSoundPlay> last = plays;
        plays = soundsOf("rules", {c.level}, c.script);
        EXPECT_EQ(countById(plays), c.heard);
        if (std::string(c.name) != "all armed") continue;
        // Against the single lit egg just before: louder, and in order lit, ticks, explosion.
        ASSERT_TRUE(firstOf(last, soundExplosion) && firstOf(plays, soundExplosion));
        EXPECT_EQ(firstOf(last, soundExplosion)->volume, 128);
        EXPECT_GT(firstOf(plays, soundExplosion)->volume, 128);
        EXPECT_GT(firstOf(plays, soundFuseTick)->volume, firstOf(last, soundFuseTick)->volume);
        EXPECT_LT(firstOf(plays, soundFuseLit)->time, firstOf(plays, soundFuseTick)->time);
        EXPECT_LT(firstOf(plays, soundFuseTick)->time, firstOf(plays, soundExplosion)->time);
    }
}

}  // namespace
