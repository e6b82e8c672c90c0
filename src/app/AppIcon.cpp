#include "app/AppIcon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

QPixmap render(int side, qreal ratio) {
    QSvgRenderer renderer(QStringLiteral(":/icons/quorvanta.svg"));
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(render(side, 1.0));
    return icon;
}

QPixmap appLogo(int side) { return render(side, 1.0); }
