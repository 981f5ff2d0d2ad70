// The title banner: a vertical gradient with the caption in blue.
#include "Banner.h"
#include "Artwork.h"

#include <QPainter>

Banner::Banner(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(49);
    setFont(Artwork::titleFont(24));
}

void Banner::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void Banner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0xff, 0xff, 0xff));
    g.setColorAt(1, QColor(0xb9, 0xd7, 0xf5));
    p.fillRect(rect(), g);
    const QPixmap icon = Artwork::windowIcon().pixmap(32, 32);
    p.drawPixmap(12, (height() - 32) / 2, icon);
    p.setFont(font());
    p.setPen(QColor(0x00, 0x33, 0xcc));
    p.drawText(rect().adjusted(54, 0, -12, 0), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    p.setPen(QColor(0x86, 0xa8, 0xd4));
    p.drawLine(0, height() - 1, width(), height() - 1);
}
