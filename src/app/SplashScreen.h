#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

// The splash window: closes itself when its timer first fires, on a key press,
// or on a click on its frame.
class SplashScreen : public QDialog {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 1250;

    explicit SplashScreen(int intervalMs = kIntervalMs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* m_frame1 = nullptr;
    QLabel* m_imgLogo = nullptr;
    QLabel* m_lblProductName = nullptr;
    QLabel* m_lblVersion = nullptr;
    QTimer* m_timer1 = nullptr;
};
