#include "ui/designer/PicturePane.h"

#include <QPainter>

PicturePane::PicturePane(const QColor& background, QWidget* parent)
    : QWidget(parent), m_background(background) {}

void PicturePane::setPictureSize(const QSize& size) {
    setFixedSize(size);
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(m_background);
    update();
}

void PicturePane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
