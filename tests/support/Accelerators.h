#pragma once

#include <QStringList>

class QWidget;

// Every pair of buttons in `window` (hidden and disabled ones included) whose captions
// share an accelerator letter (after a single "&"; "&&" is a literal ampersand), as
// "buttonA buttonB &x".
QStringList sharedAccelerators(const QWidget* window);
