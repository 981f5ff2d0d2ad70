// The scrolling status-bar text.
#include "MarqueeLabel.h"

#include <QPainter>

MarqueeLabel::MarqueeLabel(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect(&m_timer, &QTimer::timeout, this, &MarqueeLabel::advance);
    setScroll(5, 200);
}

void MarqueeLabel::setText(const QString& text)
{
    m_text = text;
    m_shown = text;
    m_shown.replace(QLatin1String("\r\n"), QLatin1String(" "));
    m_shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
    m_offset = 0;
    update();
}

void MarqueeLabel::setScroll(int step, int delayMs)
{
    m_step = step;
    m_timer.start(delayMs);
}

QSize MarqueeLabel::sizeHint() const
{
    return QSize(200, fontMetrics().height() + 4);
}

int MarqueeLabel::period() const
{
    // The text followed by a gap, repeated, so that the pane is never empty while it scrolls.
    return fontMetrics().horizontalAdvance(m_shown) + kGap;
}

void MarqueeLabel::advance()
{
    m_offset -= m_step;
    if (m_offset <= -period())
        m_offset += period();
    update();
}

void MarqueeLabel::paintEvent(QPaintEvent*)
{
    if (m_shown.isEmpty())
        return;
    QPainter p(this);
    p.setPen(QColor(0x12, 0x30, 0x7a));
    const int textWidth = fontMetrics().horizontalAdvance(m_shown);
    for (int x = m_offset; x < width(); x += period())
        p.drawText(QRect(x, 0, textWidth + 4, height()), Qt::AlignLeft | Qt::AlignVCenter, m_shown);
}
