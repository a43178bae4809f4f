#include "game/sound_rules.h"

#include <algorithm>
#include <cmath>

#include "game/time_of_day.h"
#include "world/block_types.h"
#include "world/world.h"

namespace {

float nextUnit(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return float(state >> 8) / 16777216.0f;
}

// Steps and menu ticks come often: softer than what the player does once.
// Steps less so, or the wind's gusts would cover them.
float gainOf(Sound s) {
    if (s == Sound::MenuMove || s == Sound::MenuChoose) return 0.6f;
    if (int(s) < int(Sound::Torch) && int(s) / kMaterialCount == int(Touch::Step)) return 0.8f;
    return 1.0f;
}

// Loudness of a landing: a hop is soft, a fall of three blocks near full.
float landingGain(float blocks) {
    return std::clamp(0.35f + 0.2f * blocks, 0.35f, 1.0f);
}

struct Mixer {
    SoundRules& rules;
    SoundFrame& out;
    float effects;  // master x effects, 0..1

    void play(Sound s, float gain = 1.0f) {
        if (effects <= 0.0f || out.count >= Events::kCapacity) return;
        uint32_t& r = rules.random;
        // Any variant but the one heard last.
        uint8_t variant = uint8_t(nextUnit(r) * float(kEffectVariants - 1));
        if (variant >= rules.lastVariant[int(s)]) ++variant;
        variant = uint8_t(std::min(int(variant), kEffectVariants - 1));
        rules.lastVariant[int(s)] = variant;
        const bool menu = s == Sound::MenuMove || s == Sound::MenuChoose;
        const float swing = menu ? 0.02f : 0.08f;
        const float pitch = 1.0f + swing * (2.0f * nextUnit(r) - 1.0f);
        const float loud = effects * gain * gainOf(s) * (0.88f + 0.12f * nextUnit(r));
        out.plays[out.count++] = plat::SoundPlay{s, variant, std::min(loud, 1.0f), pitch};
    }
};

Material materialAt(const World& world, const Event& e) {
    return materialOf(e.block, cellOrAir(world, e.cell.x, e.cell.y, e.cell.z).aux);
}

// A kind of event with no block behind it: its one sound.
bool plainSound(EventKind kind, Sound& s) {
    switch (kind) {
        case EventKind::Jump: s = Sound::Jump; return true;
        case EventKind::Crafted: s = Sound::Craft; return true;
        case EventKind::ChestOpened: s = Sound::ChestOpen; return true;
        case EventKind::ChestClosed: s = Sound::ChestClose; return true;
        case EventKind::ScreenOpened: s = Sound::InventoryOpen; return true;
        case EventKind::ScreenClosed: s = Sound::InventoryClose; return true;
        case EventKind::PickedUp: s = Sound::PickUp; return true;
        case EventKind::PutDown: s = Sound::PutDown; return true;
        case EventKind::Died: s = Sound::Death; return true;
        case EventKind::Respawned: s = Sound::Respawn; return true;
        case EventKind::MenuMoved: s = Sound::MenuMove; return true;
        case EventKind::MenuChosen: s = Sound::MenuChoose; return true;
        default: return false;
    }
}

void moveToward(float& value, float target, float step) {
    value = value < target ? std::min(value + step, target) : std::max(value - step, target);
}

}  // namespace

Material materialOf(uint8_t type, uint8_t aux) {
    switch (type) {
        case block::RawWood:
        case block::WoodenPlanks:
            return Material::Wood;
        case block::Dirt:
            return aux == 1 ? Material::Grass : Material::Earth;
        case block::Gravel:
            return Material::Earth;
        case block::Sand:
            return Material::Sand;
        case block::Leaves:
            return Material::Leaves;
        case block::Glass:
            return Material::Glass;
        case block::CraftingTable:
        case block::Furnace:
        case block::Anvil:
            return Material::Station;
        default:
            return block::isChest(type) ? Material::Station : Material::Stone;
    }
}

bool openToSky(const World& world, const Vec3& eye) {
    if (!world.cells) return true;
    const int x = int(std::floor(eye.x + 0.5f)), z = int(std::floor(eye.z + 0.5f));
    if (!inWorld(x, 0, z)) return true;
    for (int y = std::max(int(std::floor(eye.y + 0.5f)) + 1, 0); y < kWorldSizeY; ++y) {
        const uint8_t t = cell(world, x, y, z).type;
        if (t != block::Air && t != block::Leaves && t != block::Torch) return false;
    }
    return true;
}

float dayShare(uint8_t dayTime) {
    // The light from 0 (midnight) to 1 (noon); the night chorus takes over
    // as it falls through the middle third, an eighth of the day after noon.
    const float light = (luminanceAt(dayTime) - 0.5625f) / 0.4375f;
    const float t = std::clamp((light - 0.35f) / 0.3f, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

SoundFrame hearFrame(const World& world, SoundRules& rules, const Events& events,
                     const SoundMoment& moment, const Surroundings& around,
                     const Options& volumes) {
    SoundFrame out;
    const float master = float(std::clamp(volumes.masterVolume, 0, 100)) / 100.0f;
    Mixer mix{rules, out, master * float(std::clamp(volumes.effectsVolume, 0, 100)) / 100.0f};

    bool digging = false;
    for (int i = 0; i < events.count; ++i) {
        const Event& e = events.list[i];
        Sound plain{};
        switch (e.kind) {
            case EventKind::DigStep:
                // Every frame of a dig is an event; the ear wants a hit at a
                // steady pace, the first as the dig starts.
                digging = true;
                if (!rules.digHeard || moment.now - rules.nextHit >= 0) {
                    mix.play(materialSound(Touch::Hit, materialAt(world, e)));
                    rules.nextHit = moment.now + kDigHitMs;
                }
                rules.digHeard = true;
                break;
            case EventKind::DigFinished:
                // The block is gone: its material is the event's type alone.
                mix.play(materialSound(Touch::Break, materialOf(e.block, 0)));
                rules.digHeard = false;
                break;
            case EventKind::Placed:
                mix.play(block::isTorch(e.block)
                             ? Sound::Torch
                             : materialSound(Touch::Place, materialAt(world, e)));
                break;
            case EventKind::Step:
                if (e.block != block::Air)
                    mix.play(materialSound(Touch::Step, materialAt(world, e)));
                break;
            case EventKind::Landed:
                mix.play(Sound::Land, landingGain(e.value));
                break;
            default:
                if (plainSound(e.kind, plain)) mix.play(plain);
                break;
        }
    }
    if (!digging) rules.digHeard = false;

    const float day = dayShare(around.dayTime);
    const bool heard = around.inWorld && around.openSky;
    const float step = float(std::max(moment.elapsed, 0)) / float(kAmbienceSwingMs);
    moveToward(rules.wind, heard ? day : 0.0f, step);
    moveToward(rules.night, heard ? 1.0f - day : 0.0f, step);
    const float ambience = master * float(std::clamp(volumes.ambienceVolume, 0, 100)) / 100.0f;
    out.wind = rules.wind * ambience;
    out.night = rules.night * ambience;
    return out;
}
