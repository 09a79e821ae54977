#include "Windows.h"

#include "foods/frmIdxN.h"
#include "foods/frmItm.h"
#include "foods/frmNewFood.h"
#include "foods/frmfdN.h"
#include "frame/WindowOpeners.h"
#include "intake/frmDIn.h"
#include "intake/frmRda.h"
#include "intake/frmVRda.h"
#include "members/frmUsr.h"

namespace kelvora {

void connectWindows() {
    // One line per window that the start page or a menu of the frame opens; a modal one with
    // frame::modalOpener.
    frame::setOpener(QStringLiteral("frmUsr"), frame::childOpener<frmUsr>());
    frame::setOpener(QStringLiteral("frmfdN"), frame::childOpener<frmfdN>());
    frame::setOpener(QStringLiteral("frmIdxN"), frame::childOpener<frmIdxN>());
    frame::setOpener(QStringLiteral("frmNewFood"), frame::modalOpener<frmNewFood>());
    frame::setOpener(QStringLiteral("frmDIn"), frame::childOpener<frmDIn>());
    frame::setOpener(QStringLiteral("frmRda"), frame::childOpener<frmRda>());
    frame::setOpener(QStringLiteral("frmVRda"), frame::childOpener<frmVRda>());
    frame::setOpener(QStringLiteral("frmItm"), frame::childOpener<frmItm>());
    // The food windows that open each other on an entry of their lists.
    frame::setEntryOpener(QStringLiteral("frmfdN"),
                          frame::entryOpener<frmfdN>(&frmfdN::ShowAnyFood));
    frame::setEntryOpener(QStringLiteral("frmIdxN"),
                          frame::entryOpener<frmIdxN>(&frmIdxN::ShowNutrient));
}

}  // namespace kelvora
