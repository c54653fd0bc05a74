#include "shell/document_launcher.h"

#include "shell/shell_log.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace dewmoth::shell {

bool OpenDocument(const std::string &operation, const std::string &file,
                  const std::optional<std::string> &parameters,
                  const std::optional<std::string> &directory, int showCommand)
{
    Q_UNUSED(parameters);
    Q_UNUSED(showCommand);
    if (file.empty())
        return false;
    if (operation != "open")
        qCDebug(lcShell) << "the desktop only opens; treating" << operation.c_str() << "as open";

    const QString text = QString::fromStdString(file);
    QUrl url(text, QUrl::StrictMode);
    // A web address goes as it is; anything without a scheme (or a path that merely looks like
    // one) is a local file, relative to `directory` when one is given.
    if (!url.isValid() || url.scheme().size() < 2 || QDir::isAbsolutePath(text)) {
        const QString base = directory ? QString::fromStdString(*directory) : QDir::currentPath();
        url = QUrl::fromLocalFile(QDir(base).absoluteFilePath(text));
    }
    const bool accepted = QDesktopServices::openUrl(url);
    if (!accepted)
        qCWarning(lcShell) << "the desktop did not open" << url.toDisplayString();
    return accepted;
}

} // namespace dewmoth::shell
