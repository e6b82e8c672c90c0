#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <utility>

#include "store/SettingsStore.h"

// The child widget of `root` with objectName `name`; null when there is none.
template <class T>
T* widget(const QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}
template <class T>
T* widget(const QObject& root, const char* name) {
    return widget<T>(&root, name);
}
template <class T, class P>
T* widget(const std::unique_ptr<P>& root, const char* name) {
    return widget<T>(root.get(), name);
}

// Changes one field of a window's user settings (for windows with settings() and
// setSettings()).
template <class Window, class V, class A>
void setSetting(Window& window, V UserSettings::*field, A&& value) {
    UserSettings settings = window.settings();
    settings.*field = std::forward<A>(value);
    window.setSettings(settings);
}
