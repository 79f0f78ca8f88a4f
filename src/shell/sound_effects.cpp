#include "sound_effects.h"

#include <string>

#include "../platform/sound.h"

static_assert(soundEffectCount <= soundCapacity);

const char* soundFileName(SoundEffect sound) {
    static const char* const names[soundEffectCount] = {
        "explosion.wav", "saved.wav",   "fall.wav",     "off_level.wav", "won.wav",
        "lost.wav",      "click.wav",   "skill.wav",    "fuse.wav",      "fuse_tick.wav",
        "break.wav",     "bricks.wav",  "entrance.wav",
    };
    return sound >= 0 && sound < soundEffectCount ? names[sound] : "";
}

void loadSoundEffects() {
    for (int id = 0; id < soundEffectCount; ++id)
        loadSound(id, std::string("data\\sounds\\") + soundFileName(static_cast<SoundEffect>(id)));
}
