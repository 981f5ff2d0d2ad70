// Menu painting on top of the Fusion style.
#include "MenuStyle.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

MenuStyle::MenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

MenuStyle* MenuStyle::instance()
{
    static QPointer<MenuStyle> style;
    if (!style) {
        style = new MenuStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (element == PE_PanelMenu) {
        painter->fillRect(option->rect, Qt::white);
        QRect bar = option->rect;
        bar.setWidth(kIconBarWidth);
        QLinearGradient g(bar.topLeft(), bar.topRight());
        g.setColorAt(0, QColor(0x87, 0xce, 0xeb));
        g.setColorAt(1, Qt::white);
        painter->fillRect(bar, g);
        return;
    }
    if (element == PE_FrameMenu) {
        painter->setPen(QColor(0x7a, 0x9c, 0xc8));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem copy(*item);
            if (item->menuItemType == QStyleOptionMenuItem::Separator) {
                const int y = item->rect.center().y();
                painter->setPen(QColor(0xb8, 0xc8, 0xdc));
                painter->drawLine(item->rect.left() + kIconBarWidth + 4, y, item->rect.right() - 4, y);
                return;
            }
            const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
            if (selected) {
                const QRectF r = QRectF(item->rect).adjusted(2, 1, -2, -1);
                QLinearGradient g(r.topLeft(), r.bottomLeft());
                g.setColorAt(0, QColor(0xfd, 0xf0, 0xc4));
                g.setColorAt(1, QColor(0xf8, 0xc9, 0x6a));
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing);
                painter->setPen(QColor(0xd8, 0xa2, 0x3c));
                painter->setBrush(g);
                painter->drawRoundedRect(r, 3, 3);
                painter->restore();
                // The base style would paint its own highlight over ours.
                copy.state &= ~State_Selected;
            }
            QProxyStyle::drawControl(element, &copy, painter, widget);
            return;
        }
    }
    if (element == CE_MenuEmptyArea)
        return;
    QProxyStyle::drawControl(element, option, painter, widget);
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_MenuHMargin)
        return 2;
    if (metric == PM_MenuVMargin)
        return 3;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
