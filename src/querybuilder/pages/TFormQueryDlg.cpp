// Query dialog: widgets, value editors by field type and the condition list operations.
#include "TFormQueryDlg.h"
#include "TZTDateEdit.h"
#include "TZTNumberEdit.h"

#include "data/Clock.h"
#include "querybuilder/TZTQueryEx.h"
#include "shell/Dialogs.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

static TFormQueryDlg::Driver s_driver;

TFormQueryDlg::TFormQueryDlg(TZTQueryEx& query, QWidget* parent) : QDialog(parent), m_query(query) {
    setObjectName(QStringLiteral("TFormQueryDlg"));
    setWindowTitle(QStringLiteral("高级查询"));
    if (!query.Caption().isEmpty())
        setWindowTitle(query.Caption());

    auto* preset = new QGroupBox(QStringLiteral("预选条件："), this);
    auto* grid = new QGridLayout(preset);
    m_fieldBox = new QComboBox(preset);
    m_fieldBox->setObjectName(QStringLiteral("fieldBox"));
    m_compareBox = new QComboBox(preset);
    m_compareBox->setObjectName(QStringLiteral("compareBox"));
    m_logicBox = new QComboBox(preset);
    m_logicBox->setObjectName(QStringLiteral("logicBox"));
    m_logicBox->addItems({QStringLiteral("且"), QStringLiteral("或")});
    m_valueSlot = new QHBoxLayout;
    m_valueSlot->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("内容:"), preset), 0, 0);
    grid->addWidget(m_fieldBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("比较关系:"), preset), 0, 2);
    grid->addWidget(m_compareBox, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("比较值:"), preset), 1, 0);
    grid->addLayout(m_valueSlot, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("逻辑关系:"), preset), 1, 2);
    grid->addWidget(m_logicBox, 1, 3);
    grid->setColumnMinimumWidth(1, 170);
    grid->setColumnMinimumWidth(3, 120);

    auto* formed = new QGroupBox(QStringLiteral("已形成条件"), this);
    auto* formedLayout = new QVBoxLayout(formed);
    m_termList = new QTreeWidget(formed);
    m_termList->setObjectName(QStringLiteral("termList"));
    m_termList->setHeaderLabels({QStringLiteral("逻辑关系"), QStringLiteral("内容"),
                                 QStringLiteral("比较关系"), QStringLiteral("比较值")});
    m_termList->setRootIsDecorated(false);
    m_termList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_termList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_termList->setAllColumnsShowFocus(true);
    m_termList->header()->setSectionsMovable(false);
    m_termList->setColumnWidth(0, 70);
    m_termList->setColumnWidth(1, 110);
    m_termList->setColumnWidth(2, 90);
    formedLayout->addWidget(m_termList);

    auto* actions = new QGroupBox(QStringLiteral("操作"), this);
    auto* actionLayout = new QVBoxLayout(actions);
    auto button = [&](const char* name, const QString& text, void (TFormQueryDlg::*slot)()) {
        auto* b = new QPushButton(text, actions);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        actionLayout->addWidget(b);
        if (slot)
            connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    button("addButton", QStringLiteral("添加条件"), &TFormQueryDlg::addTerm);
    button("deleteButton", QStringLiteral("删除条件"), &TFormQueryDlg::deleteTerm);
    QPushButton* queryButton = button("queryButton", QStringLiteral("查        询"), nullptr);
    queryButton->setDefault(true);
    connect(queryButton, &QPushButton::clicked, this, &QDialog::accept);
    button("upButton", QStringLiteral("条件上移"), &TFormQueryDlg::moveTermUp);
    button("downButton", QStringLiteral("条件下移"), &TFormQueryDlg::moveTermDown);
    button("abandonButton", QStringLiteral("放        弃"), &TFormQueryDlg::abandon);
    actionLayout->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(preset);
    left->addWidget(formed, 1);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addWidget(actions);

    for (int i = 0; i < m_query.fieldCount(); ++i)
        m_fieldBox->addItem(m_query.field(i).DisplayName());
    connect(m_fieldBox, &QComboBox::currentIndexChanged, this, &TFormQueryDlg::fieldChanged);
    // Closing the comparison list hands over to the value.
    connect(m_compareBox, &QComboBox::activated, this, [this] {
        if (m_valueEditor)
            m_valueEditor->setFocus();
    });
    fieldChanged(m_fieldBox->currentIndex());
    refreshList(m_query.Terms().count() - 1);

    resize(640, 380);
    setFixedSize(size());
}

void TFormQueryDlg::fieldChanged(int index) {
    m_compareBox->clear();
    if (m_valueEditor) {
        m_valueSlot->removeWidget(m_valueEditor);
        delete m_valueEditor;
        m_valueEditor = nullptr;
    }
    if (index < 0 || index >= m_query.fieldCount())
        return;
    const TField& field = m_query.field(index);
    m_compareBox->addItems(comparisonsFor(field.FieldType()));
    m_compareBox->setCurrentIndex(0);
    m_valueEditor = createValueEditor(field);
    m_valueEditor->setObjectName(QStringLiteral("valueEditor"));
    m_valueSlot->addWidget(m_valueEditor);
}

QWidget* TFormQueryDlg::createValueEditor(const TField& field) {
    const TFieldType type = field.FieldType();
    if (!field.SelectList().isEmpty() && type != TFieldType::Boolean) {
        auto* box = new QComboBox(this);
        box->setEditable(!field.SelectOnly());
        for (const QString& line : field.SelectList())
            box->addItem(TField::selectCaption(line));
        box->setCurrentIndex(field.SelectOnly() ? 0 : -1);
        return box;
    }
    if (isIntegerType(type) || isFloatType(type)) {
        auto* edit = new TZTNumberEdit(this);
        edit->setFrame(true);
        edit->setDigits(isIntegerType(type) ? 0 : field.NumericDigits());
        edit->setBounds(field.NumericMin(), field.NumericMax());
        edit->setValue(qBound(field.NumericMin(), 0.0, field.NumericMax()));
        return edit;
    }
    switch (type) {
    case TFieldType::Boolean: {
        auto* box = new QComboBox(this);
        box->addItems({QStringLiteral("真"), QStringLiteral("假")});
        box->setCurrentIndex(0);
        return box;
    }
    case TFieldType::Date:
        return new TZTDateEdit(this);
    case TFieldType::Time: {
        auto* edit = new QTimeEdit(Clock::now().time(), this);
        edit->setDisplayFormat(shortTimeFormat());
        return edit;
    }
    case TFieldType::DateTime: {
        auto* edit = new QDateTimeEdit(Clock::now(), this);
        edit->setDisplayFormat(shortDateTimeFormat());
        return edit;
    }
    default: {
        auto* edit = new QLineEdit(this);
        if (field.StringLength() > 0)
            edit->setMaxLength(field.StringLength());
        return edit;
    }
    }
}

bool TFormQueryDlg::readValue(QString* value, QString* caption) const {
    const int fieldIndex = m_fieldBox->currentIndex();
    if (!m_valueEditor || fieldIndex < 0)
        return false;
    const TField& field = m_query.field(fieldIndex);
    if (auto* number = qobject_cast<TZTNumberEdit*>(m_valueEditor)) {
        *value = QString::number(number->value(), 'g', 15);
        *caption = number->text();
    } else if (auto* line = qobject_cast<QLineEdit*>(m_valueEditor)) { // plain and date edits
        *value = line->text();
        *caption = line->text();
    } else if (auto* dateTime = qobject_cast<QDateTimeEdit*>(m_valueEditor)) { // time edits too
        *value = dateTime->text();
        *caption = dateTime->text();
    } else if (auto* box = qobject_cast<QComboBox*>(m_valueEditor)) {
        *caption = box->currentText();
        const int index = box->currentIndex();
        if (field.FieldType() == TFieldType::Boolean) {
            *value = index == 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else {
            const bool picked = index >= 0 && box->itemText(index) == box->currentText();
            *value = picked ? TField::selectValue(field.SelectList().at(index)) : box->currentText();
        }
    } else {
        return false;
    }
    return true;
}

void TFormQueryDlg::addTerm() {
    TermInput input;
    const int fieldIndex = m_fieldBox->currentIndex();
    if (fieldIndex < 0)
        return;
    input.field = &m_query.field(fieldIndex);
    input.orLogic = m_logicBox->currentIndex() == 1;
    input.comparison = m_compareBox->currentIndex();
    if (!readValue(&input.value, &input.valueCaption))
        return;
    QString message;
    const std::optional<TTerm> term = makeTerm(input, &message);
    if (!term) {
        if (!message.isEmpty())
            Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok, message);
        return;
    }
    m_query.Terms().add(*term);
    refreshList(m_query.Terms().count() - 1);
}

int TFormQueryDlg::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_termList->selectedItems();
    if (selected.isEmpty())
        return -1;
    return m_termList->indexOfTopLevelItem(selected.first());
}

void TFormQueryDlg::deleteTerm() {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_query.Terms().removeAt(row);
    refreshList(qMin(row, m_query.Terms().count() - 1));
}

void TFormQueryDlg::moveTermUp() {
    const int row = selectedRow();
    if (row >= 0)
        refreshList(m_query.Terms().moveUp(row));
}

void TFormQueryDlg::moveTermDown() {
    const int row = selectedRow();
    if (row >= 0)
        refreshList(m_query.Terms().moveDown(row));
}

void TFormQueryDlg::abandon() {
    m_query.Terms().clear();
    reject();
}

void TFormQueryDlg::refreshList(int selectRow) {
    m_termList->clear();
    const TTerms& terms = m_query.Terms();
    for (int i = 0; i < terms.count(); ++i) {
        const TTerm& term = terms.at(i);
        auto* item = new QTreeWidgetItem(m_termList);
        item->setText(0, i == 0 ? QString() : term.logicCaption());
        item->setText(1, term.field ? term.field->DisplayName() : QString());
        item->setText(2, term.operatorCaption());
        item->setText(3, term.valueCaption);
    }
    if (selectRow >= 0 && selectRow < terms.count()) {
        QTreeWidgetItem* item = m_termList->topLevelItem(selectRow);
        m_termList->setCurrentItem(item);
        item->setSelected(true);
    }
}

bool TFormQueryDlg::run(TZTQueryEx& query, QWidget* parent) {
    TFormQueryDlg dialog(query, parent);
    if (QScreen* screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (s_driver) {
        dialog.show();
        s_driver(dialog);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result() == QDialog::Accepted;
    }
    return dialog.exec() == QDialog::Accepted;
}

void TFormQueryDlg::install(TZTQueryEx& query, QWidget* parent) {
    query.setDialogRunner([parent](TZTQueryEx& q) { return run(q, parent); });
}

void TFormQueryDlg::setDriver(Driver driver) {
    s_driver = std::move(driver);
}
