#include "ui/location/SpinButton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(18);
    return button;
}

}  // namespace

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
    m_up = arrowButton(Qt::UpArrow, "upperArrow", this);
    m_down = arrowButton(Qt::DownArrow, "lowerArrow", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &SpinButton::upperClicked);
    connect(m_down, &QToolButton::clicked, this, &SpinButton::lowerClicked);
}
