#include "app/display_guard.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace dewmoth::app {

namespace {

struct Held
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler g_previous = nullptr;
QByteArray g_line;
QList<Held> g_held;

void guard(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fputs(g_line.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1); // the toolkit is half set up: nothing of it may run again
    }
    g_held.append({type, context.category ? QByteArray(context.category) : QByteArray(), text});
}

} // namespace

DisplayGuard::DisplayGuard(QByteArray line)
{
    g_line = std::move(line);
    g_previous = qInstallMessageHandler(guard);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(g_previous);
    for (const Held &held : std::as_const(g_held)) {
        const QMessageLogContext context(
            nullptr, 0, nullptr, held.category.isNull() ? nullptr : held.category.constData());
        g_previous(held.type, context, held.text);
    }
    g_held.clear();
}

} // namespace dewmoth::app
