#include "Windows.h"

#include "frame/WindowOpeners.h"

namespace kelvora {

void connectWindows() {
    // One line per window that the start page or a menu of the frame opens, e.g.
    //   frame::setOpener(QStringLiteral("frmUsr"), frame::childOpener<frmUsr>());
    //   frame::setOpener(QStringLiteral("frmNewFood"), frame::modalOpener<frmNewFood>());
    // with the window's header included above. None of those windows is built yet.
}

}  // namespace kelvora
