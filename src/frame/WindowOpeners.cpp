#include "frame/WindowOpeners.h"

#include <QHash>

#include "runtime/Error.h"

namespace frame {
namespace {

QHash<QString, Opener>& openers() {
    static QHash<QString, Opener> registered;
    return registered;
}

QHash<QString, EntryOpener>& entryOpeners() {
    static QHash<QString, EntryOpener> registered;
    return registered;
}

// A copy of the registration: opening may register or replace openers.
template <class Open>
Open registeredOpener(const QHash<QString, Open>& openers, const QString& name) {
    Open open = openers.value(name);
    if (!open) {
        rt::raise(rt::err::InvalidProcedureCall,
                  QStringLiteral("No window named '%1' is part of this program.").arg(name),
                  QStringLiteral("Kelvora"));
    }
    return open;
}

}  // namespace

void setOpener(const QString& name, Opener open) {
    openers().insert(name, std::move(open));
}

bool hasOpener(const QString& name) {
    return openers().contains(name);
}

void openWindow(const QString& name) {
    registeredOpener(openers(), name)();
}

void setEntryOpener(const QString& name, EntryOpener open) {
    entryOpeners().insert(name, std::move(open));
}

ui::Form& openWindowOn(const QString& name, const QString& entry) {
    return registeredOpener(entryOpeners(), name)(entry);
}

void clearOpeners() {
    openers().clear();
    entryOpeners().clear();
}

}  // namespace frame
