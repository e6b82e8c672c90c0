#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon (a cheque with a pen), drawn from the same picture as the
// desktop menu's icon.
QIcon appIcon();

// The icon at `side` x `side` device-independent pixels, for the splash.
QPixmap appLogo(int side);
