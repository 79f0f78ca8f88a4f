// The game's sounds, by number. When several want to start at once and the
// voices run short, the lower number wins.
#pragma once

enum SoundEffect : int {
    soundExplosion,    // a fuse burnt down
    soundSaved,        // an egg reached the exit
    soundFatalFall,    // an egg landed after too long a fall
    soundOffLevel,     // an egg left the level
    soundLevelWon,     // the level screen after play, enough saved
    soundLevelLost,    // the level screen after play, too few saved
    soundClick,        // a button pressed and released
    soundSkillGiven,   // a skill handed to an egg
    soundFuseLit,      // a fuse lit, one egg's or every egg's
    soundFuseTick,     // each of a fuse's last three seconds
    soundBreakThrough, // a digger or tunneller broke into open space
    soundLastBricks,   // a builder laying its last few bricks
    soundEntrance,     // an egg dropping in
    soundEffectCount,
};

// The file each sound is read from, in data/sounds/.
const char* soundFileName(SoundEffect sound);
// Reads every sound; a missing or unreadable one stays silent.
void loadSoundEffects();
