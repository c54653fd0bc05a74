#include "core/settings_store.h"

#include "core/program_info.h"

#include <QSettings>

namespace dewmoth::core {

// HKEY_CURRENT_USER\Software\Dewmoth\<application>: the registry has no files to guard and no
// lock to wait for.

QString settingsLocation(const QString &application)
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + productName() + QLatin1Char('\\') +
           application;
}

StoredSettings readSettings(const QString &application, const QStringList &keys)
{
    StoredSettings result;
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, productName(), application);
    if (store.status() != QSettings::NoError)
        result.error = QStringLiteral("the registry key cannot be read");
    for (const QString &key : keys) {
        if (store.contains(key))
            result.values.insert(key, store.value(key).toString());
    }
    return result;
}

QString storeSettings(const QString &application, const QList<std::pair<QString, QString>> &values)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, productName(), application);
    for (const auto &[key, value] : values)
        store.setValue(key, value);
    store.sync();
    if (store.status() != QSettings::NoError)
        return QStringLiteral("the registry key cannot be written");
    return {};
}

} // namespace dewmoth::core
