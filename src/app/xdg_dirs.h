// The XDG base folders as the XDG Base Directory rules define them: a variable that is empty or
// holds a relative path is ignored, so nothing is ever written relative to the folder the
// program was started from.
#pragma once

#include <QString>

namespace dewmoth::app {

// $XDG_CONFIG_HOME, else ~/.config.
QString configHome();

} // namespace dewmoth::app
