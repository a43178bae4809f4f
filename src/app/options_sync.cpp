#include "app/options_sync.h"

#include "app/game_state.h"
#include "platform/platform.h"
#include "world/option_table.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

void handToWindow(const Options& o) {
    for (const OptionRow& row : kOptionTable)
        if (row.apply) row.apply(o.*row.field);
}

}  // namespace

void startOptions() {
    const bool optionsRead = readOptions(game.options, game.optionsFile);
    handToWindow(game.options);
    game.optionsApplied = game.options;
    // Told once: the file stays as it is and this run keeps the defaults.
    if (!optionsRead || game.settingsFile.leftAlone) {
        const std::string name = !optionsRead ? "Options.txt" : "Settings.data";
        game.notice = makeNotice(plat::clockMs(), (name + " unreadable: defaults used").c_str(),
                                 (name + " illeggibile: valori predefiniti").c_str());
    }
}

void syncOptions() {
    // A change of the option wins over the window's state; otherwise the
    // window was switched with F11 and the option follows it.
    Options& options = game.options;
    if (options.fullscreen == game.optionsApplied.fullscreen)
        options.fullscreen = plat::isFullscreen() ? 1 : 0;
    if (options == game.optionsApplied) return;
    handToWindow(options);
    if (!writeOptions(options, game.optionsFile))
        game.notice = makeNotice(game.frame.now, "The options could not be saved",
                                 "Impossibile salvare le opzioni");
    game.optionsApplied = options;
}
