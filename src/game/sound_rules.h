// What the player hears: a frame's events turned into effects (the sound by
// what was touched, a variant unlike the last, a little play of pitch and
// loudness), digging's hits at a steady cadence whatever the frame rate, and
// the ambience, wind by day and a night chorus after dusk, crossfading with
// the light and fading out under a roof. The rules hand back what to play;
// the app plays it.
#pragma once

#include <cstdint>

#include "game/events.h"
#include "platform/sounds.h"
#include "world/geometry.h"
#include "world/options.h"
#include "world/world.h"

inline constexpr int32_t kDigHitMs = 250;         // between two hits of a dig
inline constexpr int32_t kAmbienceSwingMs = 2000;  // the ambience from silent to full

struct SoundRules {
    bool digHeard = false;  // the previous play update had a dig under way
    int32_t nextHit = 0;    // when that dig's next hit sounds
    uint32_t random = 0x2545F491u;
    uint8_t lastVariant[kSoundCount];
    float wind = 0.0f, night = 0.0f;  // the ambience's mix as it stands, 0..1
    SoundRules() {
        for (uint8_t& v : lastVariant) v = 0xFF;
    }
};

// Where the player is, as the ambience hears it.
struct Surroundings {
    bool inWorld = false;   // a world is being played (menus are quiet)
    bool openSky = false;   // nothing but air, leaves or torches above the head
    uint8_t dayTime = 0;    // the world's DayTime
};

struct SoundFrame {
    plat::SoundPlay plays[Events::kCapacity];
    int count = 0;
    float wind = 0.0f, night = 0.0f;  // loudness of the loops, volumes applied
};

struct SoundMoment {
    int32_t now = 0;
    int32_t elapsed = 0;
};

// The events of a frame. A frame without a dig's event ends the dig: the
// next one hits at once.
SoundFrame hearFrame(const World& world, SoundRules& rules, const Events& events,
                     const SoundMoment& moment, const Surroundings& around, const Options& volumes);

Material materialOf(uint8_t type, uint8_t aux);
// Nothing above the cell of the eye but air, leaves and torches, to the top of the world.
bool openToSky(const World& world, const Vec3& eye);
// 1 by day, 0 by night, between the two around dusk and dawn.
float dayShare(uint8_t dayTime);
