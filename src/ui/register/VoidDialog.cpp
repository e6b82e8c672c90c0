#include "ui/register/VoidDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Named.h"

VoidDialog::VoidDialog(const QString& question, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVoid"));
    setWindowTitle(QStringLiteral("Void Cheque"));
    auto* layout = new QVBoxLayout(this);
    auto* lblQuestion = named(new QLabel(question, this), "lblQuestion");
    lblQuestion->setTextFormat(Qt::PlainText);
    lblQuestion->setWordWrap(true);
    auto* lblReason = named(new QLabel(QStringLiteral("&Reason (optional):"), this), "lblReason");
    m_txtReason = named(new QLineEdit(this), "txtReason");
    m_txtReason->setMaxLength(500);
    lblReason->setBuddy(m_txtReason);
    auto* buttons = new QDialogButtonBox(this);
    auto* cmdVoid = named(buttons->addButton(QStringLiteral("&Void"), QDialogButtonBox::AcceptRole), "cmdVoidOk");
    named(buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole), "cmdVoidCancel");
    cmdVoid->setDefault(true);
    layout->addWidget(lblQuestion);
    layout->addWidget(lblReason);
    layout->addWidget(m_txtReason);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString VoidDialog::reason() const { return m_txtReason->text().trimmed(); }
