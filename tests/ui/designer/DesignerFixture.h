#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "designer/ChequeFormatModel.h"
#include "store/ChequeFormatStore.h"
#include "support/TestEnv.h"
#include "ui/designer/FormatDesigner.h"

// A database with the given formats (code, name) stored in that order, and the
// designer opened over it.
class DesignerFixture {
public:
    explicit DesignerFixture(
        std::initializer_list<std::pair<const char*, const char*>> formats = {});

    // Opens (or opens again) the designer.
    void open();

    FormatDesigner& window() { return *m_window; }
    ChequeFormatModel& model() { return m_window->model(); }
    FakeDialogs& dialogs() { return env.dialogs; }
    Database& db() { return env.db(); }

    template <typename T>
    T* find(const char* name) {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QLineEdit* box(const char* name) { return find<QLineEdit>(name); }
    QComboBox* list(const char* name) { return find<QComboBox>(name); }

    void click(const char* name);
    // Types into a box as the user would: focus, select all, keys, then Tab away.
    void type(const char* name, const QString& text, bool leave = true);
    QStringList bankEntries();
    QStringList messageTexts() { return env.dialogs.texts(); }

    // A stored format with every column set, as sample data.
    static ChequeFormat sample(const QString& code, const QString& name);

    TestEnv env;

private:
    std::unique_ptr<FormatDesigner> m_window;
};
