#pragma once

#include <QDialog>

class QLineEdit;

// Asks whether to void a cheque, with an optional reason.
class VoidDialog : public QDialog {
    Q_OBJECT

public:
    VoidDialog(const QString& question, QWidget* parent);
    QString reason() const;

private:
    QLineEdit* m_txtReason = nullptr;
};
