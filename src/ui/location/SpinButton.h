#pragma once

#include <QWidget>

class QToolButton;

// A vertical pair of arrow buttons without a value of its own: the owner decides
// what a click means. Holding an arrow repeats it.
class SpinButton : public QWidget {
    Q_OBJECT

public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* upperArrow() const { return m_up; }
    QToolButton* lowerArrow() const { return m_down; }

signals:
    void upperClicked();
    void lowerClicked();

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};
