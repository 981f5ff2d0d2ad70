// The one look of every menu: an icon bar from sky blue to white and a gradient selection.
#pragma once

#include <QProxyStyle>

class MenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The one instance, owned by the application so that it outlives every menu.
    static MenuStyle* instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

    static constexpr int kIconBarWidth = 26;

private:
    MenuStyle();
};
