// The panel across the top of the main window that shows the application title.
#pragma once

#include <QWidget>

class Banner : public QWidget {
    Q_OBJECT
public:
    explicit Banner(QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};
