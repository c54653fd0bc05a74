// What the program's windows share in look: the stand-in for the classic dialog font, the
// program's pictures, the focus frame.
#pragma once

#include <QCursor>
#include <QFont>
#include <QRect>
#include <QWidget>

namespace dewmoth::widgets {

// A regular sans-serif face at `points`, preferring faces with the classic dialog metrics.
QFont dialogFont(qreal points);

QIcon programIcon();
QCursor handCursor();

// Draws the style's focus frame inside `widget` at `rect` when the widget has the focus; for
// widgets that take the focus but whose base class draws none.
void paintFocusFrame(QWidget *widget, const QRect &rect);

// The link's face: the dialog face at 9.75 pt, underlined.
QFont linkFont();

} // namespace dewmoth::widgets
