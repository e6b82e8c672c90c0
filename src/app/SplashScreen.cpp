#include "app/SplashScreen.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/AppInfo.h"

namespace {

// The logo: a cheque with a pen stroke, drawn rather than loaded.
QPixmap drawLogo() {
    QPixmap pixmap(96, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 50, 120), 2));
    painter.setBrush(QColor(255, 255, 192));
    painter.drawRoundedRect(QRectF(4, 10, 88, 44), 4, 4);
    painter.setPen(QPen(QColor(20, 50, 120), 1.5));
    painter.drawLine(QPointF(12, 24), QPointF(60, 24));
    painter.drawLine(QPointF(12, 34), QPointF(80, 34));
    painter.setPen(QPen(QColor(160, 20, 20), 2.5));
    painter.drawLine(QPointF(52, 46), QPointF(84, 42));
    return pixmap;
}

}  // namespace

SplashScreen::SplashScreen(int intervalMs, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    m_frame1 = new QFrame(this);
    m_frame1->setObjectName(QStringLiteral("frame1"));
    m_frame1->setFrameShape(QFrame::Panel);
    m_frame1->setFrameShadow(QFrame::Raised);
    m_frame1->installEventFilter(this);
    outer->addWidget(m_frame1);

    auto* row = new QHBoxLayout(m_frame1);
    row->setContentsMargins(24, 24, 32, 24);
    row->setSpacing(20);
    m_imgLogo = new QLabel(m_frame1);
    m_imgLogo->setObjectName(QStringLiteral("imgLogo"));
    m_imgLogo->setPixmap(drawLogo());
    row->addWidget(m_imgLogo);

    auto* texts = new QVBoxLayout;
    m_lblProductName = new QLabel(AppInfo::title(), m_frame1);
    m_lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont titleFont = m_lblProductName->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    m_lblProductName->setFont(titleFont);
    m_lblVersion = new QLabel(AppInfo::versionCaption(), m_frame1);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    texts->addStretch(1);
    texts->addWidget(m_lblProductName);
    texts->addWidget(m_lblVersion);
    texts->addStretch(1);
    row->addLayout(texts);

    // Labels pass their clicks on to the frame.
    for (QLabel* label : {m_imgLogo, m_lblProductName, m_lblVersion})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(intervalMs);
    connect(m_timer1, &QTimer::timeout, this, &QDialog::accept);
}

void SplashScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_timer1->start();
}

void SplashScreen::keyPressEvent(QKeyEvent*) { accept(); }

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_frame1 && event->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
