// The splash window and its three-tick start.
#include "SplashWindow.h"
#include "Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

Tlogf::Tlogf(QWidget* mainWindow, int intervalMs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_mainWindow(mainWindow),
      m_picture(Artwork::splashPicture())
{
    setObjectName(QStringLiteral("Tlogf"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("心理测评工作站"));
    setFixedSize(m_picture.size());
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Tlogf::tick);
}

void Tlogf::showEvent(QShowEvent* event)
{
    // Sized to the picture and centred on the screen whenever it appears.
    setFixedSize(m_picture.size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    if (m_ticks == 0 && !m_timer.isActive())
        m_timer.start();
    QWidget::showEvent(event);
}

void Tlogf::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

void Tlogf::tick()
{
    ++m_ticks;
    if (m_ticks < 3) {
        emit ticked(m_ticks);
        return;
    }
    m_timer.stop();
    if (m_mainWindow) {
        m_mainWindow->showMaximized();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
    emit ticked(m_ticks);
    emit mainWindowShown();
}
