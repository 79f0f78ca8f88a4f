// Sound in the browser through Web Audio: one AudioBuffer per sound, a GainNode
// per play. Browsers start audio only after the player has done something, so
// the AudioContext is made (or resumed) on the page's first click or key; the
// sounds handed over before that wait for it, and plays before it are dropped.
#include <emscripten.h>

#include "backend.h"

namespace {

EM_JS(void, webAudioReady, (), {
    if (Module.audio) return;
    const audio = { context: null, pending: {}, buffers: {} };
    Module.audio = audio;
    const start = () => {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return;
        if (!audio.context) {
            try { audio.context = new Context(); } catch (e) { return; }
            for (const id in audio.pending) Module.audioMakeBuffer(Number(id));
        }
        if (audio.context.state === 'suspended') audio.context.resume();
    };
    Module.audioMakeBuffer = (id) => {
        const sound = audio.pending[id];
        const buffer = audio.context.createBuffer(1, Math.max(1, sound.samples.length), sound.rate);
        const channel = buffer.getChannelData(0);
        for (let i = 0; i < sound.samples.length; ++i) channel[i] = sound.samples[i] / 32768;
        audio.buffers[id] = buffer;
        delete audio.pending[id];
    };
    window.addEventListener('mousedown', start, true);
    window.addEventListener('keydown', start, true);
    window.addEventListener('touchstart', start, true);
});

EM_JS(void, webAudioLoad, (int id, const int16_t* samples, int count, int rate), {
    const audio = Module.audio;
    const copy = new Int16Array(HEAP16.buffer, samples, count).slice();
    audio.pending[id] = { samples: copy, rate: rate };
    delete audio.buffers[id];
    if (audio.context) Module.audioMakeBuffer(id);
});

EM_JS(void, webAudioPlay, (int id, int volume), {
    const audio = Module.audio;
    if (!audio || !audio.context || audio.context.state !== 'running' || !audio.buffers[id]) return;
    const source = audio.context.createBufferSource();
    source.buffer = audio.buffers[id];
    const gain = audio.context.createGain();
    gain.gain.value = volume / 128;
    source.connect(gain);
    gain.connect(audio.context.destination);
    source.start();
});

}  // namespace

void backendLoadSound(int id, const std::int16_t* samples, std::size_t count, int sampleRate) {
    // Web Audio takes rates from 3000 to 768000 samples a second.
    if (samples == nullptr || count == 0 || count > 0x7FFFFFFF || sampleRate < 3000 || sampleRate > 768000)
        return;
    webAudioReady();
    webAudioLoad(id, samples, static_cast<int>(count), sampleRate);
}

void backendPlaySound(int id, int volume) {
    if (volume <= 0) return;
    webAudioPlay(id, volume > 255 ? 255 : volume);
}
