// The XDG base folders as the XDG Base Directory rules define them: a variable that is empty or
// holds a relative path is ignored, so nothing is ever written relative to the folder the
// program was started from.
#pragma once

#include <QString>
#include <QStringList>

namespace dewmoth::core {

// $XDG_CONFIG_HOME, else ~/.config.
QString configHome();

// $XDG_DATA_HOME, else ~/.local/share.
QString dataHome();

// The absolute folders of $XDG_CONFIG_DIRS in order, else /etc/xdg alone.
QStringList systemConfigDirs();

} // namespace dewmoth::core
