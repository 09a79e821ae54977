#include "frame/WindowOpeners.h"

#include <QHash>

#include "runtime/Error.h"

namespace frame {
namespace {

QHash<QString, Opener>& openers() {
    static QHash<QString, Opener> registered;
    return registered;
}

}  // namespace

void setOpener(const QString& name, Opener open) {
    openers().insert(name, std::move(open));
}

bool hasOpener(const QString& name) {
    return openers().contains(name);
}

void openWindow(const QString& name) {
    // A copy: opening may register or replace openers.
    const Opener open = openers().value(name);
    if (!open) {
        rt::raise(rt::err::InvalidProcedureCall,
                  QStringLiteral("No window named '%1' is part of this program.").arg(name),
                  QStringLiteral("Kelvora"));
    }
    open();
}

void clearOpeners() {
    openers().clear();
}

}  // namespace frame
