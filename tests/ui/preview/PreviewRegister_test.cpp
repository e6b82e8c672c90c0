#include "ui/preview/PreviewFixture.h"

#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"

// The preview's cheque number and its entry in the register.
namespace {

class PreviewRegister : public PreviewFixture {
protected:
    std::vector<RegisterEntry> entries() { return RegisterStore::page(env.db(), {}, 0, 100); }
};

TEST_F(PreviewRegister, PrintingRecordsTheChequeWithTheTypedNumber) {
    ChequeNumberStore::setNext(env.db(), QStringLiteral("TB"), QStringLiteral("000123"));
    openMain();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        auto* number = child<QLineEdit>(p, "txtChequeNo");
        EXPECT_EQ(number->text(), QStringLiteral("000123"));
        // Digits only, up to twelve: letters are refused, the rest is cut off.
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("00x0777 1234567890"));
        EXPECT_EQ(number->text(), QStringLiteral("000777123456"));
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("000777"));
        click(p, "cmdPrint");
    }));
    const auto all = entries();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].chequeNumber, QStringLiteral("000777"));
    EXPECT_EQ(all[0].state, RegisterEntry::State::Printed);
    EXPECT_EQ(all[0].payee, QStringLiteral("ACME TRADING"));  // as printed, in the chosen case
    EXPECT_EQ(all[0].amountCents, 123450);
    EXPECT_EQ(all[0].amountText, QStringLiteral("1,234.50"));
    EXPECT_FALSE(all[0].wordLine1.isEmpty());
    EXPECT_EQ(all[0].chequeDate, env.clock.current.date().toString(Qt::ISODate));
    EXPECT_EQ(all[0].destination, QStringLiteral("Cheque-Printer"));
    EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("TB")), QStringLiteral("000778"));
}

TEST_F(PreviewRegister, AFailedJobRecordsNothingAndADuplicateIsAskedAbout) {
    ChequeNumberStore::setNext(env.db(), QStringLiteral("TB"), QStringLiteral("000123"));
    openMain();
    env.printers.failEndWith = QStringLiteral("The print system refused the job");
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) { click(p, "cmdPrint"); p.reject(); }));
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("TB")), QStringLiteral("000123"));

    env.printers.failEndWith.clear();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) { click(p, "cmdPrint"); }));
    ASSERT_EQ(entries().size(), 1u);

    // The same number again: asked; No prints nothing, Yes prints a second entry.
    for (const auto answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
        env.dialogs.clear();
        env.dialogs.answer({answer});
        widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("acme trading"));
        widget<QLineEdit>(main, "txtAmount")->setText(QStringLiteral("1,234.50"));
        ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
            child<QLineEdit>(p, "txtChequeNo")->setText(QStringLiteral("000123"));
            click(p, "cmdPrint");
            if (p.isVisible()) p.reject();
        }));
        ASSERT_FALSE(env.dialogs.messages.empty());
        EXPECT_EQ(env.dialogs.messages[0].text,
                  QStringLiteral("Cheque number 000123 of TB was already printed on 5 Dec 2026 "
                                 "to ACME TRADING. Print anyway?"));
        EXPECT_EQ(env.dialogs.messages[0].buttons, Dialogs::Buttons::YesNo);
    }
    EXPECT_EQ(entries().size(), 2u);
}

}  // namespace
