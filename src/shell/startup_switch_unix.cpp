#include "shell/startup_switch.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "core/xdg_dirs.h"
#include "files/guarded_file.h"
#include "shell/desktop_entry.h"
#include "shell/shell_log.h"
#include "shell/startup_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace dewmoth::shell {

namespace {

// Entries are a few hundred bytes; anything near this is not one of ours.
constexpr std::size_t kMaxEntryBytes = 64 * 1024;

std::filesystem::path userEntry(const std::string &productName)
{
    return GetSpecialFolder(kCsidlStartup) / (productName + ".desktop");
}

// The entry the desktop honours: the user's own name when anything stands there, else the
// first system folder's that has one.
std::filesystem::path effectiveEntry(const std::string &productName)
{
    const std::filesystem::path own = userEntry(productName);
    if (files::nameExists(own))
        return own;
    for (const QString &dir : core::systemConfigDirs()) {
        const std::filesystem::path candidate =
            core::textPath(dir) / "autostart" / (productName + ".desktop");
        if (files::nameExists(candidate))
            return candidate;
    }
    return {};
}

struct Entry
{
    std::filesystem::path path;         // empty: there is none
    std::string content;                // when read
    std::optional<std::string> program; // what its Exec starts, when it is a desktop entry
    bool ours = false;                  // a desktop entry that starts a program of our file name
    bool enabled = false;               // ours, and not switched off
};

Entry readEntry(const std::filesystem::path &path, const std::filesystem::path &target)
{
    Entry entry;
    entry.path = path;
    if (path.empty())
        return entry;
    const files::ReadResult read = files::readSmallFile(path, kMaxEntryBytes);
    if (read.status != files::ReadStatus::Read) {
        if (read.status != files::ReadStatus::Absent)
            qCWarning(lcShell) << "cannot read startup entry" << core::pathText(path)
                               << QString::fromLocal8Bit(read.error.c_str());
        return entry;
    }
    entry.content = read.content;
    entry.program = entryProgram(entry.content);
    entry.ours =
        entry.program && std::filesystem::path(*entry.program).filename() == target.filename();
    entry.enabled = entry.ours && autostartEntryEnabled(entry.content);
    return entry;
}

// Whether an Exec program starts the very file `target`: the same path, or the same file
// reached another way (a link such as /usr/bin/dewmoth, or a bare name found in PATH).
bool startsTarget(const std::string &program, const std::filesystem::path &target)
{
    if (program == target.string())
        return true;
    std::filesystem::path resolved = program;
    if (program.find('/') == std::string::npos) {
        const QString found = QStandardPaths::findExecutable(core::pathText(program));
        if (found.isEmpty())
            return false;
        resolved = core::textPath(found);
    }
    std::error_code error;
    return std::filesystem::equivalent(resolved, target, error) && !error;
}

core::Failure failureOf(const files::Outcome &outcome)
{
    if (outcome.ok())
        return {};
    return {core::reasonOfErrorNumber(outcome.errorNumber), outcome.error};
}

core::Failure writeEntry(const std::filesystem::path &path, std::string_view text)
{
    const files::Outcome written = files::replaceFile(path, text);
    if (!written.ok())
        qCWarning(lcShell) << "cannot write startup entry" << core::pathText(path)
                           << QString::fromLocal8Bit(written.error.c_str());
    return failureOf(written);
}

// An entry of ours that keeps a system-wide entry of the same name from starting the program.
std::string hidingEntry(const std::filesystem::path &target)
{
    return startupEntryText(core::productName().toStdString(), "Switched off for this user",
                            core::applicationId().toStdString(), target.string(), true);
}

} // namespace

std::filesystem::path StartupEntryPath(const std::string &productName)
{
    return GetStartupFolder() / (productName + ".desktop");
}

std::filesystem::path StartupTarget(const std::filesystem::path &executable)
{
    // Inside an AppImage the executable lives on a mount that is gone after the run, so the
    // entry names the AppImage itself. Every child of any AppImage inherits these variables,
    // so they count only when this executable really runs from that image's mount.
    const QString appImage = qEnvironmentVariable("APPIMAGE");
    const QString appDir = QDir::cleanPath(qEnvironmentVariable("APPDIR"));
    const QString running = QDir::cleanPath(core::pathText(executable));
    if (QDir::isAbsolutePath(appImage) && QDir::isAbsolutePath(appDir) && appDir != u"/" &&
        running.startsWith(appDir + QLatin1Char('/')))
        return core::textPath(appImage);
    if (!appImage.isEmpty())
        qCDebug(lcShell) << "not run from the AppImage" << appImage << "; naming" << running;
    return executable;
}

bool IsStartupEnabled(const std::string &productName, const std::filesystem::path &target)
{
    return readEntry(effectiveEntry(productName), target).enabled;
}

StartupState RefreshStartupEntry(const std::string &productName,
                                 const std::filesystem::path &target)
{
    const Entry entry = readEntry(effectiveEntry(productName), target);
    StartupState state{entry.enabled, {}};
    if (!entry.enabled || startsTarget(*entry.program, target))
        return state;
    // Only the user's own plain file is ours to re-point; a system entry belongs to the system
    // and a link to whoever keeps its file.
    if (entry.path != userEntry(productName) || files::isLink(entry.path)) {
        qCInfo(lcShell) << "the startup entry" << core::pathText(entry.path) << "starts"
                        << QString::fromStdString(*entry.program) << "; left as it is";
        return state;
    }
    if (!nameableInEntry(target.string()))
        return state;
    qCInfo(lcShell) << "pointing the startup entry at" << core::pathText(target);
    state.failure = writeEntry(entry.path, entryStarting(entry.content, target.string()));
    state.enabled = IsStartupEnabled(productName, target);
    return state;
}

StartupState SetStartupEnabled(bool enabled, const std::string &productName,
                               const std::filesystem::path &target)
{
    const std::filesystem::path own = userEntry(productName);
    StartupState state;
    if (enabled) {
        const Entry current = readEntry(effectiveEntry(productName), target);
        if (current.enabled && startsTarget(*current.program, target))
            return {true, {}};
        // Keep what the user added to an entry of ours; anything else at our name is replaced.
        const Entry mine = current.path == own ? current : readEntry(own, target);
        const std::filesystem::path link = StartupEntryPath(productName);
        if (mine.ours && nameableInEntry(target.string()))
            state.failure = writeEntry(link, entryStarting(mine.content, target.string()));
        else
            CreateShortcut(target, link, &state.failure);
    } else if (const files::Outcome removed = files::removeName(own); !removed.ok()) {
        qCWarning(lcShell) << "cannot delete startup entry" << core::pathText(own)
                           << QString::fromLocal8Bit(removed.error.c_str());
        state.failure = failureOf(removed);
    } else if (IsStartupEnabled(productName, target)) {
        // A system-wide entry still starts it: a user entry of the same name hides it.
        state.failure = writeEntry(StartupEntryPath(productName), hidingEntry(target));
    }
    state.enabled = IsStartupEnabled(productName, target);
    if (!state.failure.failed() && state.enabled != enabled)
        state.failure = {core::Reason::NotTaken,
                         enabled ? "the entry that was written does not start it"
                                 : "an entry that cannot be removed still starts it"};
    return state;
}

} // namespace dewmoth::shell
