// What the program's windows share in look: the stand-in for the classic dialog font, the
// program's pictures, the focus frame.
#pragma once

#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace dewmoth::widgets {

// A regular sans-serif face at `points`, preferring faces with the classic dialog metrics.
QFont dialogFont(qreal points);

QIcon programIcon();
QCursor handCursor();

// One of the program's pictures (":/dewmoth/<name>"): on a screen scaled above 1, the same
// drawing made at twice the size ("<base>@2x.<ext>"), with the same size in logical pixels, so
// that it is sharp and the layout stays as it is.
QPixmap picture(const QString &name);

// Draws the style's focus frame inside `widget` at `rect` when the widget has the focus; for
// widgets that take the focus but whose base class draws none.
void paintFocusFrame(QWidget *widget, const QRect &rect);

// The link's face: the dialog face at 9.75 pt, underlined.
QFont linkFont();

} // namespace dewmoth::widgets
