// Sound effects over the backend: sounds read from WAV files once, then asked
// for by number. What is asked for between two pauses starts when the next
// pause begins (every pass of the main loop starts with one), so the many eggs
// of one tick that ask for the same sound make one, louder, play.
#pragma once
#include <string>

constexpr int soundCapacity = 32;
// At most this many plays sound together; one more asked for while they last is dropped.
constexpr int soundVoices = 4;

// Reads the file and hands it to the backend. A missing or unreadable file, or
// a number outside 0..soundCapacity-1, leaves that sound silent.
void loadSound(int id, const std::string& path);
// Asks for a sound to start at the next pause; a sound never loaded is silent.
void playSound(int id);
// Starts what was asked for since the last time, as the mute and the voices allow.
void startAskedSounds();
// The M key: sound off, and on again.
void toggleSound();
bool soundOn();
// Back to start-up: nothing loaded, nothing asked for or playing, sound on.
void resetSounds();
