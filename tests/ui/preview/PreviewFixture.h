#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

#include "core/ChequeFormat.h"
#include "store/ChequeFormatStore.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"
#include "ui/preview/PrintPreviewDialog.h"
#include "support/Widgets.h"

// A database with one cheque format, the main window showing it with a payee and
// an amount typed, and a way to open the preview by pressing Print.
class PreviewFixture : public testing::Test {
protected:
    // The format "TB": its fields at the new-format places, Word1 in Arial 10 and
    // 2000 twips wide (with the fake measure, 100 twips a letter), the cheque
    // shifted by (-60.25, 120.5) on the sheet.
    static ChequeFormat testFormat() {
        static const FieldGeometry kGeometry[kFieldCount] = {
            {6360, 360, 1575}, {600, 1440, 4695}, {6240, 1800, 1695}, {720, 1920, 2000},
            {240, 2400, 5655}, {6360, 700, 255},  {6600, 700, 305},   {6935, 700, 305},
            {7240, 700, 305},  {7545, 700, 305},  {7850, 700, 305},   {8155, 700, 305},
            {8460, 700, 305}};
        ChequeFormat f;
        f.bankName = QStringLiteral("Test Bank");
        f.bankCode = QStringLiteral("TB");
        f.amountLanguage = 1;
        f.printerName = QStringLiteral("Cheque-Printer");
        f.orientation = QStringLiteral("L");
        f.chequeWidth = 10455;
        f.chequeHeight = 3855;
        f.chequeTop = 120.5;
        f.chequeLeft = -60.25;
        f.dateType = 0;
        for (int i = 0; i < kFieldCount; ++i) f.fields[static_cast<size_t>(i)] = kGeometry[i];
        f.fonts = {FontSpec{QStringLiteral("Arial"), 9, false},
                   FontSpec{QStringLiteral("Arial"), 11, true},
                   FontSpec{QStringLiteral("Arial"), 12, false},
                   FontSpec{QStringLiteral("Arial"), 10, false},
                   FontSpec{QStringLiteral("Arial"), 8, false}};
        f.sdateFont = {QStringLiteral("Courier New"), 10, true};
        return f;
    }

    void SetUp() override { storeFormat(testFormat()); }

    void storeFormat(const ChequeFormat& f) {
        ChequeFormatStore::remove(env.db(), f.bankCode);
        ChequeFormatStore::insert(env.db(), f);
    }

    // The main window with the format chosen, a payee, an amount and the date ticked.
    void openMain() {
        main = std::make_unique<MainWindow>(env.context);
        ASSERT_TRUE(main->load());
        main->show();
        QApplication::setActiveWindow(main.get());
        const int bank = widget<QComboBox>(main, "cboBank")->findText(QStringLiteral("TB - Test Bank"));
        ASSERT_GE(bank, 0);
        widget<QComboBox>(main, "cboBank")->setCurrentIndex(bank);
        widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("acme trading"));
        widget<QLineEdit>(main, "txtAmount")->setText(QStringLiteral("1,234.50"));
        widget<QCheckBox>(main, "chkPrintDate")->setChecked(true);
        setSetting(*main, &UserSettings::dateFormat, QStringLiteral("dd-mm-yyyy"));
    }

    // Presses the main window's Print; `drive` runs while the preview is open.
    // False when no preview was shown.
    bool pressPrint(const std::function<void(PrintPreviewDialog&)>& drive) {
        bool shown = false;
        env.dialogs.onNextModal([&](QDialog* dialog) {
            shown = true;
            auto* preview = qobject_cast<PrintPreviewDialog*>(dialog);
            ASSERT_NE(preview, nullptr);
            drive(*preview);
        });
        QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("cmdPrint")),
                          Qt::LeftButton);
        if (!shown) env.dialogs.modalHandlers.clear();
        return shown;
    }

    template <typename T>
    static T* child(QWidget& window, const char* name) {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QLabel* chequeLabel(QWidget& window, int index) {
        return window.findChild<QLabel*>(QStringLiteral("ChequeLabel%1").arg(index));
    }
    static void click(QWidget& window, const char* name) {
        QWidget* widget = child<QWidget>(window, name);
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
    }
    // Picks a combo entry the way a user does: the entry's index becomes current.
    static void pick(QComboBox* combo, const QString& text) {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setFocus();
        while (combo->currentIndex() != index)
            QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }

    int payeeCount() {
        auto s = env.db().prepare(QStringLiteral("SELECT COUNT(*) AS n FROM Company"));
        s.step();
        return static_cast<int>(s.integer("n"));
    }

    TestEnv env;
    std::unique_ptr<MainWindow> main;
};
