// Record navigator buttons with their hints.
#include "RecordNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent) {
    struct ButtonText {
        const char* name;
        const char* glyph;
        const char* hint;
    };
    static const ButtonText texts[ButtonCount] = {
        {"navFirst", "|◀", "第一条记录"},   {"navPrior", "◀", "前一条记录"},
        {"navNext", "▶", "后一条记录"},     {"navLast", "▶|", "最后条记录"},
        {"navInsert", "+", "插入新记录"},   {"navDelete", "−", "删除当前记录"},
        {"navEdit", "▲", "修改当前记录"},   {"navPost", "✔", "保存修改记录"},
        {"navCancel", "✘", "取消修改记录"}, {"navRefresh", "↻", "刷新记录"},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(texts[i].name));
        b->setText(QString::fromUtf8(texts[i].glyph));
        b->setToolTip(QString::fromUtf8(texts[i].hint));
        b->setMinimumSize(34, 26);
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, i] { emit clicked(Button(i)); });
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    layout->addStretch();
}

void RecordNavigator::setEnabled(Button which, bool enabled) {
    m_buttons[which]->setEnabled(enabled);
}
