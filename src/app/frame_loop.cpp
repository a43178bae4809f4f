#include "app/frame_loop.h"

#include "app/game_state.h"
#include "app/options_sync.h"
#include "app/screenshot.h"
#include "app/sounds.h"
#include "app/state_table.h"
#include "app/state_updates.h"
#include "app/world_ops.h"
#include "platform/platform.h"
#include "render/polygons.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

Game game;

namespace {

// What the loop keeps between frames besides the game itself.
struct Loop {
    FrameRecord record;    // the frame under way
    FrameRecord finished;  // the last whole frame
    FpsCounter fps;
    bool failed = false;
};
Loop loop;

// Marks a step of the frame for as long as it lives.
struct StepMark {
    explicit StepMark(FrameStep step) {
        FrameRecord& r = loop.record;
        if (r.depth++ > 0) r.nested = true;
        if (r.count < FrameRecord::kMost) r.steps[r.count++] = step;
    }
    ~StepMark() { --loop.record.depth; }
    StepMark(const StepMark&) = delete;
    StepMark& operator=(const StepMark&) = delete;
};

}  // namespace

void countFrame(FpsCounter& counter) {
    ++counter.frames;
    if (plat::clockMs() > counter.windowStart + 999) {
        game.FPS = counter.frames;
        counter.windowStart = plat::clockMs();
        counter.frames = 0;
    }
}

int frameUpdate() {
    game.events = Events{};
    {
        StepMark mark(FrameStep::Update);
        Frame& frame = game.frame;
        frame.input = readInputDevices();
        frame.now = plat::clockMs();
        frame.elapsed = frame.now - game.lastUpdateTime;
        const StateRow& row = stateRow(game.gameState);
        if (row.update) {
            if (int r = row.update(); r < 0) return r;
        }
        // Only play turns the camera with an unbounded mouse; menus leave it free.
        plat::setMouseCaptured(game.gameState == GameState::Playing);
    }
    if (game.gameState == GameState::Playing) {
        StepMark mark(FrameStep::Look);
        lookAround(game.renderer, game.world, game.options, game.settings, game.play);
    }
    {
        StepMark mark(FrameStep::Requests);
        // The screen still shows the frame the player saw when asking.
        if (game.screenshotAsked) takeScreenshot();
        game.screenshotAsked = false;
        syncOptions();
    }
    {
        StepMark mark(FrameStep::Sounds);
        playFrameSounds();
    }
    game.lastUpdateTime = game.frame.now;
    return 0;
}

int drawFrame() {
    if (!plat::hasDevice()) {
        plat::errorBox("ERRORE", "Errore nel caricamento del Device.");
        return -1;
    }
    const StateRow& row = stateRow(game.gameState);
    {
        StepMark mark(FrameStep::Draw);
        // A scene that could not begin is not presented.
        if (row.draw && row.draw() < 0) return -1;
    }
    StepMark mark(FrameStep::Present);
    plat::present();
    return 0;
}

const FrameRecord& lastFrameRecord() {
    return loop.finished;
}

int startGame() {
    loop = Loop{};
    readSettings(game.settings, game.settingsFile);
    startOptions();
    plat::showCursor(false);

    game.gameState = GameState::MainMenu;
    game.mainMenuChoice = 1;
    if (plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600) < 0) {
        plat::showCursor(true);
        return -1;
    }
    loop.fps = FpsCounter{plat::clockMs(), 0};
    return 0;
}

bool gameFrame() {
    loop.record = FrameRecord{};
    loop.failed = false;
    plat::Message message;
    {
        StepMark mark(FrameStep::Message);
        message = plat::takeMessage();
    }
    // A quit during long work leaves it as a quit always has; the pass that
    // takes the message still updates and draws once.
    if (message == plat::Message::Quit) abandonWork();
    if (frameUpdate() < 0) {
        loop.failed = true;
        return false;
    }
    // A busy screen that shows what it showed is not drawn again: the window
    // (or the page's canvas) keeps the last one.
    const bool unchanged = game.gameState == GameState::Busy && !game.busyScreenChanged;
    game.busyScreenChanged = false;
    if (!unchanged && drawFrame() < 0) {
        loop.failed = true;
        return false;
    }
    countFrame(loop.fps);
    resetPolygons(game.renderer);
    loop.finished = loop.record;
    return message != plat::Message::Quit;
}

bool gameFailed() {
    return loop.failed;
}

int finishGame() {
    abandonWork();
    if (loop.failed) return -1;
    writeSettings(game.settings, game.settingsFile);
    if (plat::shutdown() < 0) {
        plat::errorBox("ERRORE", "Errore nella chiusura dell'applicazione");
        plat::showCursor(true);
        return -1;
    }
    plat::showCursor(true);
    return 0;
}

int runGame() {
    if (startGame() < 0) return -1;
    while (gameFrame()) {
    }
    return finishGame();
}
