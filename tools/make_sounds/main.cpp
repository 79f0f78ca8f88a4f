// Writes the game's sound effects: make_sounds OUTPUT_DIR
// Every sound is made here from tones and noise; OUTPUT_DIR receives one
// 22050 Hz mono 16-bit WAV file for each.
#include <cstdio>
#include <functional>
#include <string>

#include "synth.h"

namespace {

// Musical pitches used below, in Hz.
constexpr double C4 = 261.63, Eb4 = 311.13, G4 = 392.00, C5 = 523.25, E5 = 659.26, G5 = 783.99,
                 C6 = 1046.50, G6 = 1567.98;

Sound explosion() {
    Sound s(0.9);
    addNoise(s, {0.0, 0.9, 3.0, 0.85, 5.0});
    addNoise(s, {0.0, 0.15, 0.5, 0.3, 20.0, 0.0, 7});
    addTone(s, {0.0, 0.6, 90, 40, 0.5, 0.002, 6.0});
    return s;
}

Sound saved() {  // a rising two-note chime
    Sound s(0.4);
    for (double hz : {C6, G6}) {
        const double at = hz == C6 ? 0.0 : 0.09;
        addTone(s, {at, 0.4 - at, hz, hz, 0.6, 0.003, 9.0});
        addTone(s, {at, 0.4 - at, 2 * hz, 2 * hz, 0.15, 0.003, 14.0});
    }
    return s;
}

Sound fatalFall() {  // a dull splat
    Sound s(0.3);
    addNoise(s, {0.0, 0.3, 2.5, 0.9, 14.0, 0.0, 3});
    addTone(s, {0.0, 0.25, 260, 70, 0.7, 0.002, 12.0, Wave::triangle});
    return s;
}

Sound offLevel() {  // a whistle falling away
    Sound s(0.5);
    addTone(s, {0.0, 0.5, 1100, 220, 0.6, 0.01, 3.0});
    return s;
}

Sound notes(std::initializer_list<double> pitches, double step, double total, Wave wave) {
    Sound s(total);
    double at = 0;
    for (double hz : pitches) {
        addTone(s, {at, total - at, hz, hz, 0.5, 0.004, 4.0, wave});
        at += step;
    }
    return s;
}

Sound click() {
    Sound s(0.04);
    addTone(s, {0.0, 0.04, 1500, 1200, 0.8, 0.001, 90.0, Wave::square});
    return s;
}

Sound skillGiven() {  // a short upward blip
    Sound s(0.12);
    addTone(s, {0.0, 0.12, 880, 1320, 0.7, 0.002, 20.0, Wave::triangle});
    return s;
}

Sound fuseLit() {  // a hiss that flares and settles
    Sound s(0.4);
    addNoise(s, {0.0, 0.4, 0.8, 0.0, 6.0, 0.0, 11});
    addTone(s, {0.0, 0.1, 300, 500, 0.2, 0.002, 25.0});
    return s;
}

Sound fuseTick() {
    Sound s(0.06);
    addTone(s, {0.0, 0.06, 2000, 2000, 0.8, 0.001, 70.0});
    return s;
}

Sound breakThrough() {  // earth crumbling away
    Sound s(0.25);
    addNoise(s, {0.0, 0.25, 1.0, 0.7, 10.0, 40.0, 5});
    addTone(s, {0.0, 0.2, 180, 90, 0.3, 0.002, 15.0, Wave::triangle});
    return s;
}

Sound lastBricks() {  // a clink
    Sound s(0.08);
    addTone(s, {0.0, 0.08, 2600, 2600, 0.6, 0.001, 45.0});
    addTone(s, {0.0, 0.08, 3900, 3900, 0.3, 0.001, 60.0});
    return s;
}

Sound entrance() {  // a soft pop as an egg drops in
    Sound s(0.2);
    addTone(s, {0.0, 0.2, 620, 280, 0.7, 0.004, 14.0});
    addNoise(s, {0.0, 0.05, 0.2, 0.6, 40.0, 0.0, 9});
    return s;
}

struct Made {
    const char* file;
    std::function<Sound()> make;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_DIR\n");
        return 2;
    }
    const Made made[] = {
        {"explosion.wav", explosion},
        {"saved.wav", saved},
        {"fall.wav", fatalFall},
        {"off_level.wav", offLevel},
        {"won.wav", [] { return notes({C5, E5, G5, C6}, 0.15, 1.0, Wave::triangle); }},
        {"lost.wav", [] { return notes({G4, Eb4, C4}, 0.25, 1.0, Wave::triangle); }},
        {"click.wav", click},
        {"skill.wav", skillGiven},
        {"fuse.wav", fuseLit},
        {"fuse_tick.wav", fuseTick},
        {"break.wav", breakThrough},
        {"bricks.wav", lastBricks},
        {"entrance.wav", entrance},
    };
    const std::string out = argv[1];
    for (const Made& m : made) {
        Sound sound = m.make();
        normalise(sound, 0.7);
        fadeOut(sound, 0.01);
        if (!writeWav(out + "/" + m.file, sound)) {
            std::fprintf(stderr, "make_sounds: cannot write %s/%s\n", out.c_str(), m.file);
            return 1;
        }
    }
    return 0;
}
