#include "core/state_store.h"

#include "core/path_text.h"
#include "core/program_info.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace dewmoth::core {

namespace {

constexpr qint64 kMaxStateBytes = 4096;

} // namespace

std::filesystem::path stateFolder()
{
    // %LOCALAPPDATA%: the machine's own profile, not the roaming one.
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    if (local.isEmpty())
        return {};
    return textPath(QDir::cleanPath(local) + QLatin1Char('/') + productName());
}

std::optional<std::string> readStateFile(const std::string &name, Failure *why)
{
    const QString path = pathText(stateFolder() / name);
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    QFile file(path);
    if (!info.isFile() || info.isSymLink() || info.size() > kMaxStateBytes) {
        if (why)
            *why = {Reason::NotAFile, "not a small regular file"};
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (why)
            *why = {Reason::Other, file.errorString().toStdString()};
        return std::nullopt;
    }
    return file.read(kMaxStateBytes).toStdString();
}

Failure writeStateFile(const std::string &name, std::string_view text)
{
    const QString folder = pathText(stateFolder());
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {Reason::NoAccess, "the state folder cannot be made"};
    QLockFile lock(folder + QStringLiteral("/.lock"));
    if (!lock.tryLock(500))
        return {Reason::Busy, "another process holds the state folder"};
    QSaveFile file(folder + QLatin1Char('/') + QString::fromStdString(name));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit())
        return {Reason::Other, file.errorString().toStdString()};
    return {};
}

} // namespace dewmoth::core
