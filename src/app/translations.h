// The user's language: the program's own texts and the toolkit's (standard buttons, the message
// box), loaded for the user's locale. English is the source language and needs nothing, so a C,
// POSIX or English locale shows the texts exactly as written.
#pragma once

class QCoreApplication;
class QString;

namespace dewmoth::app {

void installTranslations(QCoreApplication &application);

// One of the program's texts in the user's language, before the application object exists.
QString translateEarly(const char *text);

} // namespace dewmoth::app
