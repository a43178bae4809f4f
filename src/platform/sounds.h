// The game's sounds by number, as the synthesis tool makes them and the
// platform plays them, and one request to play a sound. Each effect comes in
// a few variants so that repeats differ; the two ambience loops have one.
#pragma once

#include <cstdint>

// What a block is made of, as the ear hears it.
enum class Material : uint8_t { Wood, Stone, Earth, Grass, Sand, Leaves, Glass, Station, Count };
inline constexpr int kMaterialCount = int(Material::Count);

// What the player does to a block: each touch of each material has its sound.
enum class Touch : uint8_t { Hit, Break, Place, Step, Count };
inline constexpr int kTouchCount = int(Touch::Count);

enum class Sound : uint8_t {
    // 0..31: the touches of the materials, materialSound() numbers them.
    Torch = kTouchCount * kMaterialCount,  // a torch put on a wall or the floor
    Jump,
    Land,
    Craft,
    ChestOpen,
    ChestClose,
    InventoryOpen,
    InventoryClose,
    PickUp,
    PutDown,
    Death,
    Respawn,
    MenuMove,
    MenuChoose,
    WindLoop,   // the day's ambience
    NightLoop,  // the night's ambience
    Count,
};
inline constexpr int kSoundCount = int(Sound::Count);
inline constexpr int kEffectVariants = 4;

inline constexpr Sound materialSound(Touch touch, Material material) {
    return Sound(int(touch) * kMaterialCount + int(material));
}
inline constexpr bool isLoop(Sound s) {
    return s == Sound::WindLoop || s == Sound::NightLoop;
}
inline constexpr int variantsOf(Sound s) {
    return isLoop(s) ? 1 : kEffectVariants;
}

// Clips are mono 16-bit samples at this rate.
inline constexpr int kClipRate = 24000;

namespace plat {

struct SoundPlay {
    Sound sound{};
    uint8_t variant = 0;  // below variantsOf(sound)
    float volume = 1.0f;  // 0..1
    float pitch = 1.0f;   // playback speed, about 0.85..1.15
};

}  // namespace plat
