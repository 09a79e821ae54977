#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The per-user settings store: one INI file per program name under the user's configuration
// folder, organisation "Kelvora", one group per section. Every value is text.
namespace rt {

// The stored value, or defaultValue when the section or key has none.
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = {});

// Stores the value and writes the file before returning, because the program may end straight
// after. Error 5 for an empty program name, section or key; error 70 when the store cannot be
// written (a settings file that could not be parsed is replaced by a sound one).
void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value);

// Removes one key, or the whole section when key is empty. Error 5 when there is nothing to
// remove; error 70 when the store cannot be written.
void DeleteSetting(const QString& appName, const QString& section, const QString& key = {});

// A settings file that could not be read.
struct UnreadableSettings {
    QString file;
    // Where it is kept now; empty when it could not be moved aside.
    QString keptAs;
    // Nothing of it could be read, for lack of permission (rather than content that is no
    // settings file, of which the store reads what it can).
    bool noPermission = false;
};

// A settings file that cannot be read (its content is not a settings file, or the user may not
// read it) is moved aside to its name followed by ".unreadable", replacing an older one, so
// that the store starts empty and can be written again. Nothing when the store could be read.
std::optional<UnreadableSettings> SetAsideUnreadableSettings(const QString& appName);

// A raw value from the program's own store ("Kelvora"): keyPath is a group path such as
// "Options" or "Options/Sub" ('\' also separates groups). nullopt when the group or the value
// does not exist. Plain INI values come back as text.
std::optional<QVariant> ReadSettingValue(const QString& keyPath, const QString& valueName);

}  // namespace rt
