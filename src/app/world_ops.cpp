#include "app/world_ops.h"

#include <string>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/playing.h"
#include "platform/platform.h"
#include "ui/notice.h"
#include "world/generation.h"
#include "world/save_files.h"

namespace {

// The pump of the game's own operations: the progress screen and the update,
// inside the update that started the operation.
ProgressPump gamePump() {
    ProgressPump pump;
    pump.drawFrame = drawFrame;
    pump.frameUpdate = [] { nestedFrameUpdate(); };
    pump.readClock = plat::clockMs;
    return pump;
}

void postNotice(const char* english, const char* italian) {
    game.notice = makeNotice(plat::clockMs(), english, italian);
}

// The lock over the slot being played, from its loading or making until play
// returns to the menu: the world tool does not write a slot the game will
// save over.
plat::FileLock slotLock;

// Why a file could not be written or locked, short enough for a notice.
struct Reason {
    const char* english;
    const char* italian;
};
Reason reasonFor(plat::WriteError error) {
    switch (error) {
        case plat::WriteError::DiskFull: return {"disk full", "disco pieno"};
        case plat::WriteError::ReadOnly: return {"read-only disk", "disco di sola lettura"};
        case plat::WriteError::NoPermission: return {"no permission", "permesso negato"};
        case plat::WriteError::NotRegular: return {"not a regular file", "file non regolare"};
        case plat::WriteError::NoFolder: return {"no such folder", "cartella inesistente"};
        case plat::WriteError::NoNewFiles:
            return {"folder takes no new files", "la cartella non accetta file"};
        case plat::WriteError::NoTemporaryName:
            return {"no free temporary name", "nessun nome temporaneo libero"};
        case plat::WriteError::None:
        case plat::WriteError::Other: break;
    }
    return {"disk error", "errore del disco"};
}

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// False, after telling the player, when another program holds the slot or
// it cannot be used at all.
bool lockForUse(int slot, plat::FileLock& lock) {
    SaveReport report;
    switch (lockSlot(slot, lock, &report)) {
        case SlotLock::Taken:
        case SlotLock::Unlocked: return true;
        case SlotLock::InUse: {
            const std::string name = worldFileName(slot);
            postNotice((name + " is in use by another program!").c_str(),
                       (name + " in uso da un altro programma!").c_str());
            return false;
        }
        case SlotLock::Refused: break;
    }
    const std::string name = fileNameOf(report.failedFile);
    const Reason why = reasonFor(report.error);
    postNotice(("Slot unusable: " + name + ": " + why.english).c_str(),
               ("Slot inutilizzabile: " + name + ": " + why.italian).c_str());
    return false;
}

// Results every operation shares. Returns < 0 when the process must end.
int endOnFailure(WorldResult result) {
    switch (result) {
        case WorldResult::DrawFailed:
            return -1;
        case WorldResult::NoMemory:
            plat::errorBox("ERRORE", "Memoria insufficiente per il mondo.");
            return -1;
        default:
            return 0;
    }
}

void enterWorld() {
    startPlayingWorld(game.world, game.play);
    plat::moveCursorToWindow(320, 240);
    game.gameState = GameState::Playing;
    // The time the world took to make is not one long first frame.
    game.frame.now = plat::clockMs();
}

}  // namespace

int openSlot(int slot) {
    if (!lockForUse(slot, slotLock)) return 0;
    const GameState found = game.gameState;
    game.gameState = GameState::Busy;
    ProgressPump pump = gamePump();
    if (!slotOccupied(slot)) {
        // A new world's seed is the calendar clock's seconds.
        const WorldResult result =
            generateWorldFromSeed(game.world, int32_t(plat::calendarSeconds()), pump);
        game.gameState = found;
        if (result == WorldResult::Done)
            enterWorld();
        else
            plat::releaseLock(slotLock);
        return endOnFailure(result);
    }
    std::string failedFile;
    const WorldResult result = loadWorld(game.world, slot, pump, &failedFile);
    game.gameState = found;
    if (result != WorldResult::Done) plat::releaseLock(slotLock);
    switch (result) {
        case WorldResult::Done:
            enterWorld();
            break;
        case WorldResult::Unreadable:
            postNotice("World could not be read!", "Impossibile leggere il mondo!");
            break;
        case WorldResult::Damaged: {
            // Named, so that the player knows which file to look at or move aside.
            const std::string name = fileNameOf(failedFile);
            postNotice(("Damaged world " + name + ": not loaded!").c_str(),
                       ("Mondo danneggiato " + name + ": non caricato!").c_str());
            break;
        }
        default:
            break;
    }
    return endOnFailure(result);
}

int saveSlot(int slot) {
    const GameState found = game.gameState;
    game.savingInProgress = 1;
    game.gameState = GameState::Busy;
    if (!game.savePump.drawFrame) game.savePump = gamePump();
    SaveReport report;
    const WorldResult result = saveWorld(game.world, slot, game.savePump, &report);
    game.gameState = found;
    game.savingInProgress = 0;
    const Reason why = reasonFor(report.error);
    if (result == WorldResult::NotWritten)
        postNotice((std::string("World not saved: ") + why.english + "!").c_str(),
                   (std::string("Mondo non salvato: ") + why.italian + "!").c_str());
    if (result == WorldResult::SeedNotWritten)
        postNotice((std::string("World saved, not its seed: ") + why.english + "!").c_str(),
                   (std::string("Mondo salvato, non il seme: ") + why.italian + "!").c_str());
    return endOnFailure(result);
}

void closeSlot() {
    plat::releaseLock(slotLock);
}

void emptySlot(int slot) {
    // Nothing is moved from under a program that may write the slot back.
    plat::FileLock lock;
    if (!lockForUse(slot, lock)) return;
    int number = 0;
    const std::string name = worldFileName(slot);
    switch (moveSlotAside(slot, number)) {
        case SlotAside::Moved: {
            const std::string kept = name + ".bak" + std::to_string(number);
            postNotice(("Moved to " + kept).c_str(), ("Spostato in " + kept).c_str());
            break;
        }
        case SlotAside::Failed:
            postNotice(("Could not move " + name + "!").c_str(),
                       ("Impossibile spostare " + name + "!").c_str());
            break;
        case SlotAside::NothingThere:
            break;
    }
}
