#include "runtime/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <memory>

#include "runtime/Error.h"

namespace rt {

namespace {

const QString kOrganisation = QStringLiteral("Kelvora");
const QString kProgram = QStringLiteral("Kelvora");

void requireName(const QString& name, const QString& source) {
    if (name.isEmpty()) {
        raise(err::InvalidProcedureCall, source);
    }
}

// QSettings reads '/' and '\' in a key as group separators; a key name must stay one key.
void requireKeyName(const QString& key, const QString& source) {
    if (key.isEmpty() || key.contains(u'/') || key.contains(u'\\')) {
        raise(err::InvalidProcedureCall, source);
    }
}

// The program's store, positioned on a section.
std::unique_ptr<QSettings> openSection(const QString& appName, const QString& section,
                                       const QString& source) {
    requireName(appName, source);
    requireName(section, source);
    auto store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             kOrganisation, appName);
    store->beginGroup(section);
    return store;
}

void syncOrRaise(QSettings& store, const QString& source) {
    store.sync();
    // A file that could not be parsed when it was read (FormatError) has been written all the
    // same; only a failed write is a failure here.
    if (store.status() == QSettings::AccessError) {
        raise(err::PermissionDenied,
              QStringLiteral("Permission denied: cannot write %1").arg(store.fileName()), source);
    }
}

}  // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const QString source = QStringLiteral("GetSetting");
    const auto store = openSection(appName, section, source);
    requireKeyName(key, source);
    const QVariant v = store->value(key);
    if (!v.isValid()) {
        return defaultValue;
    }
    return v.toString();
}

void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value) {
    const QString source = QStringLiteral("SaveSetting");
    const auto store = openSection(appName, section, source);
    requireKeyName(key, source);
    store->setValue(key, value);
    store->endGroup();
    syncOrRaise(*store, source);
}

void DeleteSetting(const QString& appName, const QString& section, const QString& key) {
    const QString source = QStringLiteral("DeleteSetting");
    const auto store = openSection(appName, section, source);
    if (key.isEmpty()) {
        if (store->childKeys().isEmpty() && store->childGroups().isEmpty()) {
            raise(err::InvalidProcedureCall, source);
        }
        store->remove(QString());
    } else {
        requireKeyName(key, source);
        if (!store->contains(key)) {
            raise(err::InvalidProcedureCall, source);
        }
        store->remove(key);
    }
    store->endGroup();
    syncOrRaise(*store, source);
}

std::optional<UnreadableSettings> SetAsideUnreadableSettings(const QString& appName) {
    UnreadableSettings unreadable;
    {
        const QSettings store(QSettings::IniFormat, QSettings::UserScope, kOrganisation, appName);
        // The file is read at the first question asked of the store, not when it is made.
        store.allKeys();
        unreadable.file = store.fileName();
        // An access error on reading a file that is there means one that may not be read; the
        // store then holds nothing of it, and writing would fail as well. (A folder in its
        // place holds no preferences to lose: that store only cannot be written.)
        unreadable.noPermission =
            store.status() == QSettings::AccessError && QFileInfo(unreadable.file).isFile();
        if (store.status() != QSettings::FormatError && !unreadable.noPermission) {
            return std::nullopt;
        }
    }
    // Moving needs only the folder's permission, not the file's.
    const QString kept = unreadable.file + QStringLiteral(".unreadable");
    QFile::remove(kept);
    if (QFile::rename(unreadable.file, kept)) {
        unreadable.keptAs = kept;
    }
    return unreadable;
}

std::optional<QVariant> ReadSettingValue(const QString& keyPath, const QString& valueName) {
    if (valueName.isEmpty() || valueName.contains(u'/') || valueName.contains(u'\\')) {
        return std::nullopt;
    }
    QString group = keyPath;
    group.replace(u'\\', u'/');
    QSettings store(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kProgram);
    if (!group.isEmpty()) {
        store.beginGroup(group);
    }
    if (!store.contains(valueName)) {
        return std::nullopt;
    }
    return store.value(valueName);
}

}  // namespace rt
