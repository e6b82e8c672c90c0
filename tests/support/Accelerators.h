#pragma once

#include <QStringList>

class QWidget;

// The accelerator letter of a caption: the character after a single "&", lower
// case ("&&" is a literal ampersand); empty when the caption has none.
QString acceleratorOf(const QString& caption);

// Every pair of buttons in `window` (QAbstractButtons, hidden and disabled
// ones included) that share an accelerator, as "cmdA cmdB &x".
QStringList sharedAccelerators(const QWidget* window);
