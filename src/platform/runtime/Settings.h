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
// written.
void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value);

// Removes one key, or the whole section when key is empty. Error 5 when there is nothing to
// remove; error 70 when the store cannot be written.
void DeleteSetting(const QString& appName, const QString& section, const QString& key = {});

// A raw value from the program's own store ("Kelvora"): keyPath is a group path such as
// "Options" or "Options/Sub" ('\' also separates groups). nullopt when the group or the value
// does not exist. Plain INI values come back as text.
std::optional<QVariant> ReadSettingValue(const QString& keyPath, const QString& valueName);

}  // namespace rt
