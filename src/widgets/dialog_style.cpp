#include "widgets/dialog_style.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace dewmoth::widgets {

QFont dialogFont(qreal points)
{
    // Only faces the system has: asking for a missing one makes the font matcher work out a
    // whole fallback chain for it, which costs as much as loading the face that is found.
    static const QStringList families = [] {
        // A family that more than one foundry makes is listed as "Family [Foundry]".
        QStringList installed = QFontDatabase::families();
        for (QString &name : installed)
            name = name.section(QStringLiteral(" ["), 0, 0);
        QStringList preferred{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("Arimo"),         QStringLiteral("Arial"),
                              QStringLiteral("Nimbus Sans"),   QStringLiteral("Helvetica")};
        preferred.removeIf(
            [&](const QString &f) { return !installed.contains(f, Qt::CaseInsensitive); });
        return preferred;
    }();
    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QFont linkFont()
{
    QFont font = dialogFont(9.75);
    font.setUnderline(true);
    return font;
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/dewmoth/dewmoth.ico"));
}

namespace {

bool scaledScreen()
{
    return qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
}

} // namespace

QPixmap picture(const QString &name)
{
    const QString path = QStringLiteral(":/dewmoth/") + name;
    if (scaledScreen()) {
        const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        QPixmap sharp(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(path);
}

QCursor handCursor()
{
    // The fingertip of the drawn hand, in logical pixels whatever the picture's scale.
    if (scaledScreen()) // only the larger one is a PNG: the icon format stops at 32 pixels
        return QCursor(picture(QStringLiteral("hand.png")), 9, 1);
    return QCursor(QPixmap(QStringLiteral(":/dewmoth/hand.ico")), 9, 1);
}

void paintFocusFrame(QWidget *widget, const QRect &rect)
{
    if (!widget->hasFocus())
        return;
    QStylePainter painter(widget);
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.rect = rect;
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace dewmoth::widgets
