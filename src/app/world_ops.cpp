#include "app/world_ops.h"

#include <memory>
#include <string>

#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/playing.h"
#include "platform/platform.h"
#include "render/world_view.h"
#include "ui/notice.h"
#include "world/generation.h"
#include "world/save_files.h"

namespace {

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

void tellInUse(int slot) {
    const std::string name = worldFileName(slot);
    postNotice((name + " is in use by another program!").c_str(),
               (name + " in uso da un altro programma!").c_str());
}

// False, after telling the player, when another program holds the slot or
// it cannot be used at all.
bool lockForUse(int slot, plat::FileLock& lock) {
    SaveReport report;
    switch (lockSlot(slot, lock, &report)) {
        case SlotLock::Taken:
        case SlotLock::Unlocked: return true;
        case SlotLock::InUse: tellInUse(slot); return false;
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
    plat::moveCursorToWindow(320, 240);
    game.gameState = GameState::Playing;
    // The last slice of the work is not one long first frame, and a key
    // still held waits for the gate from here.
    game.frame.now = plat::clockMs();
    gateFired(game.gate, game.frame);
}

}  // namespace

namespace {

// The busy screen first shows once the work has gone on for a step of its
// pulse: work shorter than that leaves the screen it began on, and loses
// nothing to drawing.
void startBusy() {
    game.gameState = GameState::Busy;
    game.busyPulseTime = game.frame.now;
    game.busyScreenChanged = false;
}

}  // namespace

void openSlot(int slot) {
    if (!lockForUse(slot, slotLock)) return;
    WorldWork& work = game.work;
    work.slot = slot;
    work.returnTo = game.gameState;
    if (!slotOccupied(slot)) {
        work.generation = std::make_unique<GenerationJob>();
        // A new world's seed is the calendar clock's seconds.
        beginGeneration(game.world, *work.generation, int32_t(plat::calendarSeconds()));
    } else {
        work.load = std::make_unique<LoadJob>();
        beginLoad(*work.load, worldFilePath(slot), seedFilePath(slot));
    }
    startBusy();
}

void saveSlot(int slot) {
    // Another browser tab took the slot while this one was hidden: it may have
    // saved there since, and what it saved is not overwritten.
    if (plat::lockLost(slotLock)) {
        tellInUse(slot);
        return;
    }
    WorldWork& work = game.work;
    work.slot = slot;
    work.returnTo = game.gameState;
    work.save = std::make_unique<SaveJob>();
    beginSave(*work.save, worldFilePath(slot), seedFilePath(slot));
    game.savingInProgress = 1;
    startBusy();
}

void closeSlot() {
    plat::releaseLock(slotLock);
}

namespace {

// The screen the work was started from, and a gate that counts from now, so
// that a key still held does not act on it again at once.
void endWork() {
    game.gameState = game.work.returnTo;
    game.savingInProgress = 0;
    game.work = WorldWork{};
    gateFired(game.gate, game.frame);
}

// The world is whole: the player is set down in it, and the work goes on
// with the first frame's view.
void readyView() {
    game.work.generation.reset();
    game.work.load.reset();
    startPlayingWorld(game.world, game.play);
    game.work.readyingView = true;
}

int generationEnded(WorldResult result) {
    if (result == WorldResult::Done) {
        readyView();
        return 0;
    }
    endWork();
    plat::releaseLock(slotLock);
    return endOnFailure(result);
}

int loadEnded(WorldResult result, std::string failedFile) {
    if (result == WorldResult::Done) {
        readyView();
        return 0;
    }
    endWork();
    plat::releaseLock(slotLock);
    switch (result) {
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

int saveEnded(WorldResult result, SaveReport report) {
    endWork();
    const Reason why = reasonFor(report.error);
    if (result == WorldResult::NotWritten)
        postNotice((std::string("World not saved: ") + why.english + "!").c_str(),
                   (std::string("Mondo non salvato: ") + why.italian + "!").c_str());
    if (result == WorldResult::SeedNotWritten)
        postNotice((std::string("World saved, not its seed: ") + why.english + "!").c_str(),
                   (std::string("Mondo salvato, non il seme: ") + why.italian + "!").c_str());
    return endOnFailure(result);
}

}  // namespace

// Sections built between looks at the clock while the view is readied.
constexpr int kViewBatch = 16;

int updateWork() {
    WorldWork& work = game.work;
    // A frame that also draws the busy screen works less, so that it too stays short.
    const int32_t sliceMs = game.busyScreenChanged ? kDrawnWorkSliceMs : kWorkSliceMs;
    JobSlice slice = sliceUntil(plat::clockMs, game.frame.now + sliceMs);
    if (work.readyingView) {
        while (buildViewAhead(game.renderer, game.world, game.options, game.settings,
                              game.play.player, kViewBatch) > 0)
            if (sliceSpent(slice)) return 0;
        endWork();
        enterWorld();
        return 0;
    }
    if (work.generation && stepGeneration(game.world, *work.generation, slice))
        return generationEnded(work.generation->result);
    // The results are taken by value: the work they came from ends with them.
    if (work.load && stepLoad(game.world, *work.load, slice))
        return loadEnded(work.load->result, work.load->failedFile);
    if (work.save && stepSave(game.world, *work.save, slice)) {
        work.saved = work.save->result;
        work.saveReport = work.save->report;
        work.save.reset();
        if (work.saved != WorldResult::Done && work.saved != WorldResult::SeedNotWritten)
            return saveEnded(work.saved, work.saveReport);
        work.persisting = true;
        work.persistTicket = plat::requestPersist();
    }
    if (work.persisting) {
        switch (plat::persistState(work.persistTicket)) {
            case plat::PersistState::Pending:
                return 0;
            case plat::PersistState::Done:
                break;
            case plat::PersistState::Failed:
                // The storage refused the files: what it keeps is the old slot.
                work.saved = WorldResult::NotWritten;
                work.saveReport.error = plat::WriteError::Other;
                break;
        }
        return saveEnded(work.saved, work.saveReport);
    }
    return 0;
}

// The progress word steps at the pace it always had: once per 66 ms.
constexpr int32_t kPulseStepMs = 66;

int updateBusy() {
    if (game.frame.now - game.busyPulseTime >= kPulseStepMs) {
        game.busyPulse = nextPulse(game.busyPulse);
        game.busyPulseTime = game.frame.now;
        game.busyScreenChanged = true;
    }
    return updateWork();
}

void abandonWork() {
    const WorldWork& work = game.work;
    if (!work.generation && !work.load && !work.save && !work.readyingView && !work.persisting)
        return;
    const bool opening = !work.save && !work.persisting;
    endWork();
    if (opening) plat::releaseLock(slotLock);
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
