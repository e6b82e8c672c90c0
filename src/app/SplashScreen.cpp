#include "app/SplashScreen.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "platform/AppInfo.h"

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
    m_imgLogo->setPixmap(appLogo(80));  // the program's icon
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
