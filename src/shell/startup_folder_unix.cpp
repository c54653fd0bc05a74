#include "shell/startup_folder.h"

#include "app/program_info.h"
#include "app/xdg_dirs.h"
#include "files/guarded_file.h"
#include "shell/desktop_entry.h"
#include "shell/shell_log.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace dewmoth::shell {

namespace {

std::filesystem::path toPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromPath(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// The first directory of $XDG_CONFIG_DIRS that is an absolute path, as the XDG Base Directory
// rules read it; /etc/xdg when there is none.
QString firstSystemConfigDir()
{
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            return dir;
    }
    return QStringLiteral("/etc/xdg");
}

} // namespace

std::filesystem::path GetSpecialFolder(int folderId)
{
    switch (folderId) {
    case kCsidlStartup:
        return toPath(app::configHome() + QStringLiteral("/autostart"));
    case kCsidlCommonStartup:
        return toPath(firstSystemConfigDir() + QStringLiteral("/autostart"));
    default:
        return {}; // no recent-documents folder, nothing else we know of
    }
}

std::filesystem::path GetStartupFolder()
{
    // Always the user's own folder: the system folders belong to the distribution and the
    // administrator, and an entry there would switch the program on for every user.
    const std::filesystem::path folder = GetSpecialFolder(kCsidlStartup);
    if (!QDir().mkpath(fromPath(folder)))
        qCWarning(lcShell) << "cannot create the autostart folder" << fromPath(folder);
    return folder;
}

bool CreateShortcut(const std::filesystem::path &target, const std::filesystem::path &link,
                    std::string *why)
{
    const std::string program = target.string();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(QByteArrayView(program.data(), qsizetype(program.size())));
    if (utf8.hasError() || program.empty()) {
        // A desktop entry is UTF-8 text; such a path cannot be written into one.
        qCWarning(lcShell) << "cannot name this program in a desktop entry:" << decoded;
        if (why)
            *why = "its path cannot be written into a desktop entry";
        return false;
    }
    const std::string text =
        startupEntryText(app::productName().toStdString(), app::programDescription().toStdString(),
                         app::applicationId().toStdString(), program, /*hidden=*/false);
    // Replaced, never written through: a link at `link` may point at anybody's file.
    if (const std::string failure = files::replaceFile(link, text); !failure.empty()) {
        qCWarning(lcShell) << "cannot write startup entry" << fromPath(link)
                           << QString::fromLocal8Bit(failure.c_str());
        if (why)
            *why = failure;
        return false;
    }
    return true;
}

} // namespace dewmoth::shell
