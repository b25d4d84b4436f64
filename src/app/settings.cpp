#include "settings.h"

#include "numbers.h"
#include "text.h"

#include <QSettings>

namespace lvx {

namespace {

QString settingsKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

} // namespace

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    const QSettings store(QStringLiteral("Liravox"), QStringLiteral("Liravox"));
    const QVariant value = store.value(settingsKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with an unquoted comma comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings store(QStringLiteral("Liravox"), QStringLiteral("Liravox"));
    store.setValue(settingsKey(section, key), value);
}

bool GetSettingFlag(const QString& section, const QString& key, const QString& defaultValue)
{
    return isTrueText(GetSetting(section, key, defaultValue));
}

qint16 GetSettingNumber(const QString& section, const QString& key, const QString& defaultValue)
{
    return toInt16(leadingNumber(GetSetting(section, key, defaultValue)));
}

qint16 GetSettingInteger(const QString& section, const QString& key, qint16 defaultValue)
{
    return parseInt16(GetSetting(section, key, QString::number(defaultValue))).value_or(defaultValue);
}

} // namespace lvx
