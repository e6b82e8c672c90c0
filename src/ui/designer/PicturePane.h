#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A picture that keeps what is drawn on it: drawings go into its image once and
// every repaint shows that image. Its children (labels, handles) lie above.
class PicturePane : public QWidget {
    Q_OBJECT

public:
    PicturePane(const QColor& background, QWidget* parent);

    // Resizes the widget and starts a new image filled with the background.
    void setPictureSize(const QSize& size);
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_background;
    QImage m_image;
};
