// Sound on SDL_mixer: the effects on 24 channels, the two ambience loops on
// two more. The mixer runs on SDL's audio thread; the calls here only start,
// fade and set the loudness of channels.
//
// The device is opened at 48 kHz, mono, with buffers of 1024 samples
// (21.3 ms): a sound started in a frame reaches the device with the next
// buffer the audio thread mixes, at most 21.3 ms later, and has left the
// mixer once that buffer has played, within 43 ms, inside the game's 50 ms.
// Half that buffer would leave the audio thread twice the wake-ups on a
// machine whose cores the software drawing already keeps busy.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/embedded_sounds.h"
#include "platform/platform.h"
#include "platform/sdl/channel_book.h"
#include "platform/sdl/clip_pitch.h"
#include "platform/sdl/sdl_private.h"

namespace sdlplat {
namespace {

constexpr int kRate = 48000;
constexpr int kBufferSamples = 1024;
constexpr int kWindChannel = kEffectChannels, kNightChannel = kEffectChannels + 1;
constexpr int kFadeMs = 30;

struct Playable {
    std::vector<int16_t> samples;
    Mix_Chunk* chunk = nullptr;
};

struct Audio {
    // Set by the opening thread once the device is open; until then (and
    // for good without a device) the calls below do nothing.
    std::atomic<bool> open{false};
    bool subsystem = false;
    std::thread opener;
    ChannelBook book;
    // Made on first play: each clip at each pitch step it is played at.
    Playable clips[kSoundCount][kEffectVariants][kPitchSteps];
    int windLevel = -1, nightLevel = -1;
};

Audio& audio() {
    static Audio a;
    return a;
}

bool ready() {
    return audio().open.load(std::memory_order_acquire);
}

Mix_Chunk* playable(Sound sound, int variant, int step) {
    Playable& p = audio().clips[int(sound)][variant][step];
    if (p.chunk) return p.chunk;
    const embedded::Clip clip = embedded::soundClip(int(sound), variant);
    p.samples = resampleClip(clip.bytes, clip.sampleCount, kRate, pitchOfStep(step));
    if (p.samples.empty()) return nullptr;
    p.chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(p.samples.data()),
                                Uint32(p.samples.size() * sizeof(int16_t)));
    return p.chunk;
}

int mixerLevel(float volume) {
    if (!(volume > 0.0f)) return 0;
    return volume >= 1.0f ? MIX_MAX_VOLUME : int(std::lround(volume * MIX_MAX_VOLUME));
}

void startLoop(int channel, Sound sound) {
    Mix_Volume(channel, 0);
    if (Mix_Chunk* chunk = playable(sound, 0, pitchStep(1.0f))) Mix_PlayChannel(channel, chunk, -1);
}

}  // namespace

bool openAudio() {
    Audio& a = audio();
    if (ready()) return true;
    // No device is no error: the game plays silent.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (envFlag("VELMORA_TRACE_START")) std::fprintf(stderr, "velmora: no sound: %s\n", SDL_GetError());
        return false;
    }
    a.subsystem = true;
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, 1, kBufferSamples, nullptr, 0) != 0) {
        if (envFlag("VELMORA_TRACE_START")) std::fprintf(stderr, "velmora: no sound: %s\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        a.subsystem = false;
        return false;
    }
    Mix_AllocateChannels(kEffectChannels + 2);
    startLoop(kWindChannel, Sound::WindLoop);
    startLoop(kNightChannel, Sound::NightLoop);
    a.open.store(true, std::memory_order_release);
    return true;
}

void startAudio() {
    Audio& a = audio();
    if (ready() || a.opener.joinable()) return;
    a.opener = std::thread([] {
        openAudio();
        // SDL keeps its error text per thread; only its own threads free it.
        SDL_TLSCleanup();
    });
}

void closeAudio() {
    Audio& a = audio();
    if (a.opener.joinable()) a.opener.join();
    // Nothing plays the chunks once the channels are halted; then the device goes.
    if (ready()) Mix_HaltChannel(-1);
    for (auto& sound : a.clips)
        for (auto& variant : sound)
            for (Playable& p : variant) {
                if (p.chunk) Mix_FreeChunk(p.chunk);
                p = Playable{};
            }
    if (ready()) Mix_CloseAudio();
    if (a.subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    a.subsystem = false;
    a.book = ChannelBook{};
    a.windLevel = a.nightLevel = -1;
    a.open.store(false, std::memory_order_release);
}

}  // namespace sdlplat

namespace plat {

void playSound(const SoundPlay& play) {
    using namespace sdlplat;
    Audio& a = audio();
    const int sound = int(play.sound);
    const int level = mixerLevel(play.volume);
    if (!ready() || sound < 0 || sound >= kSoundCount || isLoop(play.sound) || level == 0 ||
        play.variant >= variantsOf(play.sound))
        return;
    Mix_Chunk* chunk = playable(play.sound, play.variant, pitchStep(play.pitch));
    if (!chunk) return;
    bool playing[kEffectChannels];
    for (int c = 0; c < kEffectChannels; ++c) playing[c] = Mix_Playing(c) != 0;
    const ChannelChoice choice = chooseChannel(a.book, sound, playing);
    if (choice.fade >= 0) Mix_FadeOutChannel(choice.fade, kFadeMs);
    if (choice.channel < 0) return;
    Mix_Volume(choice.channel, level);
    Mix_PlayChannel(choice.channel, chunk, 0);
}

void setAmbience(float wind, float night) {
    using namespace sdlplat;
    Audio& a = audio();
    if (!ready()) return;
    const int windLevel = mixerLevel(wind), nightLevel = mixerLevel(night);
    if (windLevel != a.windLevel) Mix_Volume(kWindChannel, a.windLevel = windLevel);
    if (nightLevel != a.nightLevel) Mix_Volume(kNightChannel, a.nightLevel = nightLevel);
}

}  // namespace plat
