#include "core/failure_text.h"

#include <QCoreApplication>

namespace dewmoth::core {

QString reasonText(Reason reason)
{
    const auto say = [](const char *text) { return QCoreApplication::translate("dewmoth", text); };
    switch (reason) {
    case Reason::None:
        return {};
    case Reason::NotFound:
        return say(QT_TRANSLATE_NOOP("dewmoth", "a folder on its path does not exist"));
    case Reason::NoAccess:
        return say(QT_TRANSLATE_NOOP("dewmoth", "permission denied"));
    case Reason::ReadOnly:
        return say(QT_TRANSLATE_NOOP("dewmoth", "the disk is read-only"));
    case Reason::NoSpace:
        return say(QT_TRANSLATE_NOOP("dewmoth", "the disk is full"));
    case Reason::TooLarge:
        return say(QT_TRANSLATE_NOOP("dewmoth", "it is too large"));
    case Reason::NotAFile:
        return say(QT_TRANSLATE_NOOP("dewmoth", "it is not a regular file"));
    case Reason::NotText:
        return say(QT_TRANSLATE_NOOP("dewmoth", "it holds no text"));
    case Reason::NotExpressible:
        return say(QT_TRANSLATE_NOOP("dewmoth",
                                     "the program's path cannot be written into a start-up entry"));
    case Reason::NotTaken:
        return say(QT_TRANSLATE_NOOP("dewmoth", "the desktop did not take it"));
    case Reason::Busy:
        return say(QT_TRANSLATE_NOOP("dewmoth", "another program is using it"));
    case Reason::OutOfMemory:
        return say(QT_TRANSLATE_NOOP("dewmoth", "there is not enough memory"));
    case Reason::Other:
        break;
    }
    return say(QT_TRANSLATE_NOOP("dewmoth", "the system reported an unexpected error"));
}

} // namespace dewmoth::core
