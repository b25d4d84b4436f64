#include "base/settings.h"

#include "base/numbers.h"
#include "base/text.h"

#include <QSettings>

namespace lvx {

namespace {

QString settingsKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

} // namespace

SettingsStore::SettingsStore() : m_store(QStringLiteral("Liravox"), QStringLiteral("Liravox")) {}

QString SettingsStore::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QVariant value = m_store.value(settingsKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with an unquoted comma comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

bool SettingsStore::flag(const QString& section, const QString& key, const QString& defaultValue) const
{
    return isTrueText(value(section, key, defaultValue));
}

qint16 SettingsStore::number(const QString& section, const QString& key, const QString& defaultValue) const
{
    return toInt16(leadingNumber(value(section, key, defaultValue)));
}

qint16 SettingsStore::integer(const QString& section, const QString& key, qint16 defaultValue) const
{
    return parseInt16(value(section, key, QString::number(defaultValue))).value_or(defaultValue);
}

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    return SettingsStore().value(section, key, defaultValue);
}

void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings store(QStringLiteral("Liravox"), QStringLiteral("Liravox"));
    store.setValue(settingsKey(section, key), value);
}

void SaveSettingFlag(const QString& section, const QString& key, bool value)
{
    SaveSetting(section, key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

bool GetSettingFlag(const QString& section, const QString& key, const QString& defaultValue)
{
    return SettingsStore().flag(section, key, defaultValue);
}

qint16 GetSettingNumber(const QString& section, const QString& key, const QString& defaultValue)
{
    return SettingsStore().number(section, key, defaultValue);
}

qint16 GetSettingInteger(const QString& section, const QString& key, qint16 defaultValue)
{
    return SettingsStore().integer(section, key, defaultValue);
}

} // namespace lvx
