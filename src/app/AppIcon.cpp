#include "app/AppIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QString iconFile() { return QStringLiteral(":/icons/quorvanta.svg"); }

// Draws the picture at whatever size a window system asks for, when it asks:
// nothing is drawn at start-up.
class SvgIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        QSvgRenderer(iconFile()).render(painter, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new SvgIconEngine; }
    QString key() const override { return QStringLiteral("QuorvantaSvgIcon"); }
};

}  // namespace

QIcon appIcon() { return QIcon(new SvgIconEngine); }

QPixmap appLogo(int side) { return appIcon().pixmap(side, side); }
