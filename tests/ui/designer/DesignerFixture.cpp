#include "DesignerFixture.h"

#include <QApplication>

DesignerFixture::DesignerFixture(
    std::initializer_list<std::pair<const char*, const char*>> formats) {
    for (const auto& [code, name] : formats)
        ChequeFormatStore::insert(env.db(),
                                  sample(QString::fromUtf8(code), QString::fromUtf8(name)));
    open();
}

ChequeFormat DesignerFixture::sample(const QString& code, const QString& name) {
    ChequeFormat f;
    f.bankName = name;
    f.bankCode = code;
    f.amountLanguage = 2;
    f.printerName = QStringLiteral("Cheque-Printer");
    f.orientation = QStringLiteral("P");
    f.chequeWidth = 12240;
    f.chequeHeight = 5040;
    f.chequeTop = 43.2;
    f.chequeLeft = 14.4;
    f.dateType = 0;
    const int salt = static_cast<int>(qHash(code) % 50);
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldGeometry g = ChequeFormat::defaultGeometry(i);
        f.fields[i] = {g.left + static_cast<float>(salt), g.top + 15, g.width + 30};
    }
    for (auto& font : f.fonts) font = {QStringLiteral("Liberation Serif"), 11, true};
    f.sdateFont = {QStringLiteral("Liberation Mono"), 10, false};
    return f;
}

void DesignerFixture::open() {
    m_window.reset();
    m_window = std::make_unique<FormatDesigner>(env.context);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_TRUE(m_window->load());
}

void DesignerFixture::click(const char* name) {
    QPushButton* b = button(name);
    if (b) QTest::mouseClick(b, Qt::LeftButton);
}

void DesignerFixture::type(const char* name, const QString& text, bool leave) {
    QLineEdit* edit = box(name);
    if (!edit) return;
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    if (leave) QTest::keyClick(edit, Qt::Key_Tab);
}

QStringList DesignerFixture::bankEntries() {
    QStringList entries;
    QComboBox* banks = list("cboBank");
    for (int i = 0; banks && i < banks->count(); ++i) entries << banks->itemText(i);
    return entries;
}
