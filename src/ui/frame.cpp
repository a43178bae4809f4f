#include "ui/frame.h"

#include "platform/platform.h"

// Placeholder until the screens land: an empty, presented frame.
int drawFrame() {
    if (!plat::hasDevice()) {
        plat::errorBox("ERRORE", "Errore nel caricamento del Device.");
        return -1;
    }
    if (plat::beginScene() < 0) {
        plat::errorBox("ERRORE", "Impossibile creare la scena.");
        return -1;
    }
    plat::endScene();
    plat::present();
    return 0;
}
