// What the program's windows share in look and manner: the stand-in for the classic dialog
// font, the program's pictures, the focus frame, and how a failure or a link reaches the user.
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

// Tells the user of a failure they must act on: a warning box over `owner`, titled with the
// product name, that does not hold up the caller (a test or an event loop goes on meanwhile).
void tellUser(QWidget *owner, const QString &text);

// Opens a link's address with the desktop's handler; tells the user when nothing can open it.
void openLink(QWidget *owner, const QString &address);

// The link's face: the dialog face at 9.75 pt, underlined.
QFont linkFont();

} // namespace dewmoth::widgets
