// The splash window shown while the program starts.
#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

class Tlogf : public QWidget {
    Q_OBJECT
public:
    // On the third tick of its timer the splash shows the main window (maximised, active, in
    // front) and stops ticking; it stays open behind the main window. The interval is a
    // parameter so that tests need not wait three seconds.
    explicit Tlogf(QWidget* mainWindow, int intervalMs = 1000, QWidget* parent = nullptr);

    int ticks() const { return m_ticks; }
    bool isTicking() const { return m_timer.isActive(); }

signals:
    // After each tick has done its work.
    void ticked(int tick);
    void mainWindowShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void tick();

    QWidget* m_mainWindow;
    QPixmap m_picture;
    QTimer m_timer;
    int m_ticks = 0;
};
