// The recipe of every sound. The touches of the blocks are made from two
// tables: what each material sounds like, and how each touch shapes it.
#include "synth.h"

namespace sfx {
namespace {

struct Colour {
    float lowpass, highpass;
    float tone, toneAmount, harmonics;
    int grains;
};

// Indexed by Material.
constexpr Colour kColours[kMaterialCount] = {
    /* Wood */ {1800, 120, 210, 0.7f, 0.4f, 0},
    /* Stone */ {3600, 320, 950, 0.25f, 0.3f, 1},
    /* Earth */ {700, 60, 0, 0, 0, 3},
    /* Grass */ {2600, 420, 0, 0, 0, 6},
    /* Sand */ {4200, 900, 0, 0, 0, 8},
    /* Leaves */ {5200, 1300, 0, 0, 0, 10},
    /* Glass */ {6500, 2200, 2600, 0.5f, 0.6f, 1},
    /* Station */ {1500, 100, 160, 0.8f, 0.5f, 0},
};

struct Shape {
    float seconds, attack, decay, peak;
    float colourScale;  // on the filter and the tone: placing is duller
    int extraGrains;
};

// Indexed by Touch.
constexpr Shape kShapes[kTouchCount] = {
    /* Hit */ {0.14f, 0.002f, 0.035f, 0.45f, 1.0f, 0},
    /* Break */ {0.38f, 0.003f, 0.11f, 0.55f, 1.0f, 8},
    /* Place */ {0.16f, 0.002f, 0.04f, 0.5f, 0.65f, 0},
    /* Step */ {0.12f, 0.006f, 0.03f, 0.35f, 0.85f, 0},
};

Recipe touchRecipe(Touch touch, Material material) {
    const Colour& c = kColours[int(material)];
    const Shape& s = kShapes[int(touch)];
    Recipe r;
    r.seconds = s.seconds;
    r.attack = s.attack;
    r.decay = s.decay;
    r.peak = s.peak;
    r.grains = c.grains + s.extraGrains;
    r.layers[0] = Layer{.noise = 1.0f,
                        .lowpass = c.lowpass * s.colourScale,
                        .highpass = c.highpass * s.colourScale,
                        .tone = c.tone * s.colourScale,
                        .toneEnd = c.tone * s.colourScale * 0.92f,
                        .toneAmount = c.toneAmount,
                        .harmonics = c.harmonics};
    // A break and a place have a body: a low thump under the material.
    if (touch == Touch::Break || touch == Touch::Place) {
        r.layers[1] = Layer{.tone = 95.0f, .toneEnd = 60.0f, .toneAmount = 0.6f, .decay = 0.06f};
        r.layerCount = 2;
    }
    // Glass rings on when it breaks.
    if (material == Material::Glass && touch == Touch::Break) r.decay = 0.2f;
    return r;
}

Recipe tone(float seconds, float from, float to, float decay, float peak) {
    Recipe r;
    r.seconds = seconds;
    r.decay = decay;
    r.peak = peak;
    r.layers[0] = Layer{.tone = from, .toneEnd = to, .toneAmount = 1.0f};
    return r;
}

}  // namespace

Recipe recipeOf(Sound sound) {
    const int n = int(sound);
    if (n < int(Sound::Torch)) return touchRecipe(Touch(n / kMaterialCount), Material(n % kMaterialCount));
    Recipe r;
    switch (sound) {
        case Sound::Torch:  // a soft whoosh as it catches
            r = Recipe{.seconds = 0.3f, .attack = 0.03f, .decay = 0.12f, .peak = 0.35f};
            r.layers[0] = Layer{.noise = 1.0f, .lowpass = 1200, .highpass = 200};
            break;
        case Sound::Jump:
            r = Recipe{.seconds = 0.13f, .attack = 0.01f, .decay = 0.05f, .peak = 0.3f};
            r.layers[0] = Layer{.noise = 1.0f, .lowpass = 900, .highpass = 150};
            break;
        case Sound::Land:
            r = Recipe{.seconds = 0.22f, .attack = 0.002f, .decay = 0.07f, .peak = 0.6f, .layerCount = 2};
            r.layers[0] = Layer{.noise = 1.0f, .lowpass = 380, .highpass = 30};
            r.layers[1] = Layer{.tone = 80, .toneEnd = 50, .toneAmount = 1.0f, .decay = 0.08f};
            break;
        case Sound::Craft:  // two knocks of wood on wood
            r = Recipe{.seconds = 0.34f, .decay = 0.0f, .peak = 0.45f, .layerCount = 2};
            r.layers[0] = Layer{.noise = 0.5f, .lowpass = 2500, .highpass = 300, .tone = 520,
                                .toneEnd = 500, .toneAmount = 1.0f, .harmonics = 0.3f, .decay = 0.03f};
            r.layers[1] = Layer{.noise = 0.5f, .lowpass = 2500, .highpass = 300, .tone = 660,
                                .toneEnd = 640, .toneAmount = 1.0f, .harmonics = 0.3f, .decay = 0.03f,
                                .delay = 0.14f};
            break;
        case Sound::ChestOpen:  // a short creak
            r = Recipe{.seconds = 0.45f, .attack = 0.04f, .decay = 0.0f, .release = 0.12f, .peak = 0.35f};
            r.layers[0] = Layer{.noise = 0.4f, .lowpass = 1500, .highpass = 200, .tone = 180,
                                .toneEnd = 260, .toneAmount = 0.5f, .harmonics = 0.8f};
            break;
        case Sound::ChestClose:
            r = Recipe{.seconds = 0.28f, .decay = 0.07f, .peak = 0.5f, .layerCount = 2};
            r.layers[0] = Layer{.noise = 1.0f, .lowpass = 900, .highpass = 60};
            r.layers[1] = Layer{.tone = 110, .toneEnd = 80, .toneAmount = 1.0f, .decay = 0.07f};
            break;
        case Sound::InventoryOpen:
            r = Recipe{.seconds = 0.16f, .attack = 0.01f, .decay = 0.06f, .peak = 0.3f, .grains = 4};
            r.layers[0] = Layer{.noise = 1.0f, .lowpass = 3000, .highpass = 600};
            break;
        case Sound::InventoryClose:
            r = Recipe{.seconds = 0.14f, .attack = 0.01f, .decay = 0.05f, .peak = 0.28f, .grains = 3};
            r.layers[0] = Layer{.noise = 1.0f, .lowpass = 2000, .highpass = 400};
            break;
        case Sound::PickUp:
            r = tone(0.08f, 880, 1000, 0.03f, 0.3f);
            break;
        case Sound::PutDown:
            r = tone(0.09f, 660, 560, 0.03f, 0.3f);
            r.layers[0].noise = 0.3f;
            r.layers[0].lowpass = 1500;
            break;
        case Sound::Death:
            r = tone(0.9f, 330, 110, 0.5f, 0.5f);
            r.attack = 0.02f;
            r.layers[0].harmonics = 0.5f;
            r.layers[1] = Layer{.tone = 247, .toneEnd = 82, .toneAmount = 0.7f};
            r.layerCount = 2;
            break;
        case Sound::Respawn:
            r = tone(0.7f, 392, 784, 0.35f, 0.4f);
            r.attack = 0.03f;
            r.layers[0].harmonics = 0.3f;
            r.layers[1] = Layer{.tone = 523, .toneEnd = 1046, .toneAmount = 0.7f, .delay = 0.15f};
            r.layerCount = 2;
            break;
        case Sound::MenuMove:
            r = tone(0.05f, 1300, 1300, 0.015f, 0.18f);
            break;
        case Sound::MenuChoose:
            r = tone(0.14f, 880, 880, 0.05f, 0.22f);
            r.layers[1] = Layer{.tone = 1320, .toneAmount = 1.0f, .decay = 0.04f, .delay = 0.05f};
            r.layerCount = 2;
            break;
        default:
            break;
    }
    return r;
}

}  // namespace sfx
