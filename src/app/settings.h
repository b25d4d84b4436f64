#pragma once

#include <QString>
#include <QtGlobal>

namespace lvx {

// The per-user settings store: string values by section and key, with a default on read.
// Everything goes through QSettings("Liravox", "Liravox").
QString GetSetting(const QString& section, const QString& key, const QString& defaultValue);
void SaveSetting(const QString& section, const QString& key, const QString& value);

// A flag: true exactly when the value, lower-cased and trimmed, is "true".
bool GetSettingFlag(const QString& section, const QString& key, const QString& defaultValue);

// A number stored as text, read with the leading-number parse ("300ms" is 300,
// "abc" is 0), rounded half to even and clamped to 16 bits.
qint16 GetSettingNumber(const QString& section, const QString& key, const QString& defaultValue);

// An integer key ("LastHandle", "MidiDev", the patches, the margins): the whole
// value must be a number, otherwise the default is used.
qint16 GetSettingInteger(const QString& section, const QString& key, qint16 defaultValue);

} // namespace lvx
