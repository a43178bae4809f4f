// The game as the app runs it: which screen is up, the menu selections, the
// frame being updated, the gate every change of screen shares, the world and
// the play value, the player's options and settings with what is known of
// their files, what the renderer keeps between frames, what the last update
// handed back, the notice, the long world work under way and its progress
// word's pulse, and the frames-per-second figure. One value, owned here and
// handed down: the rules, the drawing and the display below take what they
// need of it as parameters.
#pragma once

#include <cstdint>
#include <memory>

#include "game/events.h"
#include "game/frame.h"
#include "game/play.h"
#include "game/sound_rules.h"
#include "render/render_state.h"
#include "ui/notice.h"
#include "ui/screens.h"
#include "world/options.h"
#include "platform/platform.h"
#include "world/generation.h"
#include "world/save_files.h"
#include "world/settings.h"
#include "world/world.h"

enum class GameState : uint8_t {
    Busy = 1,
    MainMenu = 3,
    Playing = 4,
    Dead = 5,
    Options = 6,
    QuitConfirm = 7,
    Pause = 8,
    WorldSelect = 9,
    InventoryScreen = 10,
    ChestScreen = 11,
    MoreOptions = 12,  // the second options screen
};

// The operation under way: at most one job is set. `returnTo` is the screen
// it was started from, shown again when it ends.
struct WorldWork {
    int slot = 0;
    GameState returnTo = GameState::MainMenu;
    std::unique_ptr<GenerationJob> generation;
    std::unique_ptr<LoadJob> load;
    std::unique_ptr<SaveJob> save;
    // A world made or loaded: the view of play's first frame is being built.
    bool readyingView = false;
    // A save written: where files reach their storage later (a browser's),
    // it is told only once they have.
    bool persisting = false;
    plat::PersistTicket persistTicket = 0;
    WorldResult saved = WorldResult::Done;
    SaveReport saveReport;
};

struct Game {
    GameState gameState = GameState::MainMenu;
    uint8_t mainMenuChoice = 1;   // 1..3
    uint8_t optionsChoice = 3;    // 1 Rendering, 2 Language, 3 Cancel, 4 More options
    uint8_t moreOptionsChoice = 1;  // the option rows, then Back
    uint8_t quitChoice = 2;       // 1 = Yes, 2 = No
    uint8_t pauseChoice = 1;      // 1..3
    uint8_t worldSlotChoice = 1;  // 1..4 slots, 5 = Cancel; the slot being played
    // The world selection's question "Delete WorldK?" over its rows: the slot
    // asked about (0 = no question up) and its choice, 1 = Yes, 2 = No.
    uint8_t deleteSlot = 0;
    uint8_t deleteChoice = 2;
    uint8_t savingInProgress = 0;
    int32_t FPS = 0;

    // The update under way (a long world operation restamps its time when it
    // ends, so that the time it took is not one long frame), and the time
    // the previous update was stamped with.
    Frame frame;
    int32_t lastUpdateTime = 0;
    ActionGate gate;
    // The grid with everything saved beside it, and the play in it.
    World world;
    Play play;
    // The player's choices, and what the game knows of their files.
    Options options;
    OptionsFile optionsFile;
    Settings settings;
    SettingsFile settingsFile;
    // The camera, the section geometry on the device and the frame's lists.
    RenderState renderer;
    // What the last update handed back: play's events, the item screens',
    // the menus' moves and choices; and a screenshot asked for (F4), taken
    // with the frame's other requests.
    Events events;
    bool screenshotAsked = false;
    // What the ear keeps between frames.
    SoundRules sound;

    Notice notice;
    Pulse busyPulse;
    int32_t busyPulseTime = 0;  // when the pulse last stepped
    // The busy screen changed since it was last drawn: only then is a frame
    // of long work drawn, so that the work keeps the time drawing would take.
    bool busyScreenChanged = false;
    // The options as the window and Options.txt last took them.
    Options optionsApplied;
    // The long world operation under way, worked by the Busy state.
    WorldWork work;
};

extern Game game;
