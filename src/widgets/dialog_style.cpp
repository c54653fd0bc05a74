#include "widgets/dialog_style.h"

#include <QFontDatabase>
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

QCursor handCursor()
{
    // The fingertip of the drawn hand.
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
