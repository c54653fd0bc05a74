#include "core/settings_store.h"

#include "core/core_log.h"
#include "core/ini_text.h"
#include "core/path_text.h"
#include "core/program_info.h"
#include "core/xdg_dirs.h"
#include "files/guarded_file.h"

#include <QDir>
#include <QFile>

namespace dewmoth::core {

namespace {

constexpr std::size_t kMaxSettingsBytes = 1 << 20;
// Another Dewmoth closing at the same moment holds the folder for a millisecond or two; anything
// longer is not worth a frozen window at logout.
constexpr std::chrono::milliseconds kLockPatience{250};

std::pair<std::string, std::string> sectionAndKey(const QString &key)
{
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    return {key.left(slash).toStdString(), key.mid(slash + 1).toStdString()};
}

QString fromLocal(const std::string &text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

} // namespace

QString settingsLocation(const QString &application)
{
    return configHome() + QLatin1Char('/') + productName() + QLatin1Char('/') + application +
           QStringLiteral(".ini");
}

StoredSettings readSettings(const QString &application, const QStringList &keys)
{
    StoredSettings result;
    const files::ReadResult read =
        files::readSmallFile(textPath(settingsLocation(application)), kMaxSettingsBytes);
    if (read.status == files::ReadStatus::Absent)
        return result;
    if (read.status != files::ReadStatus::Read) {
        result.error = fromLocal(read.error);
        return result;
    }
    for (const QString &key : keys) {
        const auto [section, name] = sectionAndKey(key);
        if (const auto value = iniValue(read.content, section, name))
            result.values.insert(key, QString::fromUtf8(value->data(), qsizetype(value->size())));
    }
    return result;
}

QString storeSettings(const QString &application, const QList<std::pair<QString, QString>> &values)
{
    const QString location = settingsLocation(application);
    const QString folder = QFileInfo(location).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    const files::FolderLock lock(textPath(folder), kLockPatience);
    if (!lock.held())
        return fromLocal(lock.error());

    const std::filesystem::path path = textPath(location);
    const files::ReadResult old = files::readSmallFile(path, kMaxSettingsBytes);
    // Whatever we cannot read we cannot keep: better store nothing than lose the rest.
    if (old.status != files::ReadStatus::Read && old.status != files::ReadStatus::Absent)
        return fromLocal(old.error);
    std::string text = old.content;
    for (const auto &[key, value] : values) {
        const auto [section, name] = sectionAndKey(key);
        text = iniWithValue(text, section, name, value.toStdString());
    }
    if (old.status == files::ReadStatus::Read && text == old.content) {
        qCDebug(lcCore) << "settings unchanged in" << location;
        return {};
    }
    if (files::isLink(path))
        qCInfo(lcCore) << "replacing the link" << location << "with a file of its own";
    if (const files::Outcome written = files::replaceFile(path, text); !written.ok())
        return fromLocal(written.error);
    qCDebug(lcCore) << "stored settings in" << location;
    return {};
}

} // namespace dewmoth::core
