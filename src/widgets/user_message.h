// How the program's windows tell the user of a failure the user must act on, in the user's
// language.
#pragma once

#include <QString>

class QWidget;

namespace dewmoth::widgets {

// A warning box over `owner`, titled with the product name, that does not hold up the caller (a
// test or an event loop goes on meanwhile).
void tellUser(QWidget *owner, const QString &text);

// What the user is told when nothing on the computer opens a link's address.
QString linkNotOpenedText(const QString &address);

} // namespace dewmoth::widgets
