#pragma once

#include <QString>
#include <QtGlobal>

#include <QSettings>

namespace lvx {

// One open view of the settings store, for reading many values in a row (a song
// load reads about fifty): opening the store costs more than reading a value.
class SettingsStore final
{
public:
    SettingsStore();

    QString value(const QString& section, const QString& key, const QString& defaultValue) const;
    bool flag(const QString& section, const QString& key, const QString& defaultValue) const;
    qint16 number(const QString& section, const QString& key, const QString& defaultValue) const;
    qint16 integer(const QString& section, const QString& key, qint16 defaultValue) const;

private:
    QSettings m_store;
};

// The per-user settings store: string values by section and key, with a default on read.
// Everything goes through QSettings("Liravox", "Liravox").
QString GetSetting(const QString& section, const QString& key, const QString& defaultValue);
void SaveSetting(const QString& section, const QString& key, const QString& value);

// A flag: true exactly when the value, lower-cased and trimmed, is "true".
bool GetSettingFlag(const QString& section, const QString& key, const QString& defaultValue);
// Stores a flag as "true" or "false".
void SaveSettingFlag(const QString& section, const QString& key, bool value);

// A number stored as text, read with the leading-number parse ("300ms" is 300,
// "abc" is 0), rounded half to even and clamped to 16 bits.
qint16 GetSettingNumber(const QString& section, const QString& key, const QString& defaultValue);

// An integer key ("LastHandle", "MidiDev", the patches, the margins): the whole
// value must be a number, otherwise the default is used.
qint16 GetSettingInteger(const QString& section, const QString& key, qint16 defaultValue);

} // namespace lvx
