#include "core/state_store.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "files/guarded_file.h"

#include <QDir>

#include <cerrno>

namespace dewmoth::core {

namespace {

constexpr std::size_t kMaxStateBytes = 4096;

} // namespace

std::filesystem::path stateFolder()
{
    const QString configured = qEnvironmentVariable("XDG_STATE_HOME");
    const QString home = QDir::isAbsolutePath(configured)
                             ? QDir::cleanPath(configured)
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return textPath(home + QLatin1Char('/') + productName());
}

std::optional<std::string> readStateFile(const std::string &name, Failure *why)
{
    files::ReadResult read = files::readSmallFile(stateFolder() / name, kMaxStateBytes);
    switch (read.status) {
    case files::ReadStatus::Read:
        return std::move(read.content);
    case files::ReadStatus::Absent:
        return std::nullopt;
    case files::ReadStatus::Refused:
    case files::ReadStatus::Failed:
        break;
    }
    if (why)
        *why = {read.status == files::ReadStatus::Refused ? Reason::NotAFile : Reason::Other,
                read.error};
    return std::nullopt;
}

Failure writeStateFile(const std::string &name, std::string_view text)
{
    const std::filesystem::path folder = stateFolder();
    if (!QDir().mkpath(pathText(folder)))
        return {Reason::NoAccess, "the folder " + folder.string() + " cannot be made"};
    const files::FolderLock lock(folder, std::chrono::milliseconds(500));
    if (!lock.held())
        return {Reason::Busy, lock.error()};
    // Never half-written, but not flushed: --print waits for this write, and after a power cut
    // the worst a lost write does is show one saying a second time.
    const files::Outcome written =
        files::replaceFile(folder / name, text, files::Flush::RenameOnly);
    if (written.ok())
        return {};
    return {reasonOfErrorNumber(written.errorNumber), written.error};
}

} // namespace dewmoth::core
