#pragma once

#include <QString>

// Gives a new control its objectName and hands it back, so controls can be made
// and named in one expression.
template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
