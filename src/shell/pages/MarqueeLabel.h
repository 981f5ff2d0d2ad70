// A status-bar pane whose text scrolls from right to left.
#pragma once

#include <QTimer>
#include <QWidget>

class MarqueeLabel : public QWidget {
    Q_OBJECT
public:
    explicit MarqueeLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    // Pixels per step and the delay between steps.
    void setScroll(int step, int delayMs);
    int offset() const { return m_offset; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kGap = 120;
    void advance();
    int period() const;

    QString m_text;
    QString m_shown; // one line: line breaks read as spaces
    int m_step = 5;
    int m_offset = 0; // x of the text's left edge
    QTimer m_timer;
};
