// The per-user settings store: values by "section/key", one store per application name, kept
// where the platform keeps such things (an INI file under $XDG_CONFIG_HOME on Linux, the
// registry on Windows). Reading never blocks and storing waits a bounded time; a store that
// cannot be had is reported, never waited for, and values that are not stored stay as they were.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace dewmoth::core {

struct StoredSettings
{
    QHash<QString, QString> values; // by "section/key"
    QString error;                  // why nothing could be read; empty when all went well
};

// Where the store of `application` lives, for messages.
QString settingsLocation(const QString &application);

// The values of `keys` that are stored.
StoredSettings readSettings(const QString &application, const QStringList &keys);

// Stores `values` together and keeps every other value. Returns why nothing was stored, or an
// empty string.
QString storeSettings(const QString &application, const QList<std::pair<QString, QString>> &values);

} // namespace dewmoth::core
