#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

#include "store/ChequeFormatStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"
#include "ui/preview/PrintPreviewDialog.h"

// A database with the cheque format "TB" (printer "Cheque-Printer", the cheque moved by (-60.25, 120.5) on the sheet,
// Word1 2000 twips wide in Arial 10: twenty letters with the fake measure) and the preview of a cheque of it.
class PreviewFixture : public testing::Test {
protected:
    static ChequeFormat testFormat() {
        ChequeFormat f{.bankName = QStringLiteral("Test Bank"), .bankCode = QStringLiteral("TB"),
                       .printerName = QStringLiteral("Cheque-Printer"), .chequeWidth = 10455,
                       .chequeHeight = 3855, .chequeTop = 120.5, .chequeLeft = -60.25};
        for (int i = 0; i < kFieldCount; ++i) f.fields[i] = ChequeFormat::defaultGeometry(i);
        for (int i = 0; i < 5; ++i) f.fonts[i] = {QStringLiteral("Arial"), 8.0f + i, i == 1};
        f.fields[FieldWord1].width = 2000, f.fonts[FieldWord1].size = 10;
        f.sdateFont = {QStringLiteral("Courier New"), 10, true};
        return f;
    }
    PreviewFixture() { storeFormat(testFormat()); }
    void storeFormat(const ChequeFormat& f) {
        ChequeFormatStore::remove(env.db(), f.bankCode), ChequeFormatStore::insert(env.db(), f);
    }
    // Opens the preview of a cheque for 1,234.50 dated today, as the main window does; false when it found no format.
    bool open(const QString& payee = QStringLiteral("acme trading"),
              const UserSettings& settings = {.dateFormat = QStringLiteral("dd-mm-yyyy")}) {
        const ChequeRequest request{QStringLiteral("TB"), payee, QStringLiteral("1,234.50"), env.clock.now().date()};
        preview = std::make_unique<PrintPreviewDialog>(env.context, request, settings);
        return preview->load() && (preview->show(), true);
    }
    QLabel* field(int index) const { return preview->findChild<QLabel*>(QStringLiteral("ChequeLabel%1").arg(index)); }
    QString shown(int index) const { return field(index)->text(); }
    void click(const char* name) {
        auto* button = widget<QWidget>(*preview, name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void expectOneError(const QString& text) {
        ASSERT_EQ(env.dialogs.texts(), QStringList{text});
        const auto& m = env.dialogs.messages[0];
        EXPECT_TRUE(m.title == QStringLiteral("Error") && m.icon == Dialogs::Icon::Exclamation &&
                    m.buttons == Dialogs::Buttons::Ok);
        env.dialogs.clear();
    }
    // Typed where every character has a key, else (or when asked) pasted; the box keeps the focus.
    static void enter(QLineEdit* box, const QString& text, bool paste = false) {
        box->setFocus(), box->selectAll();
        bool typeable = !paste && text.size() <= 200;
        for (const QChar c : text) typeable = typeable && c.isPrint() && c.unicode() <= 0xff;
        if (!typeable)
            return QGuiApplication::clipboard()->setText(text), QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        box->del(), QTest::keyClicks(box, text);
    }
    template <class Window, class... Args>
    static std::unique_ptr<Window> show(Args&&... args) {
        auto window = std::make_unique<Window>(std::forward<Args>(args)...);
        window->show(), QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    // The main window with the format chosen, payee and amount typed; `drive` runs while the preview its Print
    // opens is shown. False when no preview opened.
    bool printFromMain(const QString& payee, const QString& amount,
                       const std::function<void(PrintPreviewDialog&)>& drive) {
        main = show<MainWindow>(env.context);
        EXPECT_TRUE(main->load());
        auto* banks = widget<QComboBox>(main, "cboBank");
        banks->setCurrentIndex(banks->findText(QStringLiteral("TB - Test Bank")));
        enter(widget<QComboBox>(main, "cboRecipient")->lineEdit(), payee);
        enter(widget<QLineEdit>(main, "txtAmount"), amount, true);
        bool shown = false;
        env.dialogs.onNextModal([&](QDialog* d) { shown = true, drive(*qobject_cast<PrintPreviewDialog*>(d)); });
        QTest::mouseClick(widget<QPushButton>(main, "cmdPrint"), Qt::LeftButton);
        if (!shown) env.dialogs.modalHandlers.clear();
        return shown;
    }
    QString newestPayee() {
        auto s = env.db().prepare(QStringLiteral("SELECT Name FROM Company ORDER BY ID DESC"));
        return s.step() ? s.text("Name") : QString();
    }
    static void expectUsable(QWidget& window) {  // no wider than any screen the program runs on
        window.adjustSize();
        EXPECT_LE(window.minimumSizeHint().width(), 1600) << window.objectName().toStdString();
    }

    TestEnv env;
    std::unique_ptr<PrintPreviewDialog> preview;
    std::unique_ptr<MainWindow> main;
};
