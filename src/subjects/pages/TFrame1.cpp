// Subject list page: browsing, editing through the fields and record buttons, searching.
#include "TFrame1.h"
#include "RecordNavigator.h"

#include "data/Database.h"
#include "data/LazyQueryModel.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "shell/Dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {
// Subject ids are kept in upper case whatever is typed or pasted.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

// The date picker's lowest date stands for "no date".
const QDate noDate(1800, 1, 1);
} // namespace

TFrame1::TFrame1(const PageContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_list(*ctx.info), m_model(new LazyQueryModel(this)) {
    setObjectName(QStringLiteral("TFrame1"));
    m_model->setKeyColumn(QStringLiteral("id"));
    m_model->setAlignment(Qt::AlignCenter);
    m_model->setColumns({
        {QStringLiteral("id"), QStringLiteral("用户ID")},
        {QStringLiteral("name"), QStringLiteral("姓名")},
        {QStringLiteral("xb"), QStringLiteral("性别")},
        {QStringLiteral("csdate"), QStringLiteral("出生日期"), LazyQueryModel::Format::Date},
        {QStringLiteral("tel"), QStringLiteral("联系电话")},
        {QStringLiteral("TESTGROU"), QStringLiteral("测试分组")},
        {QStringLiteral("address"), QStringLiteral("家庭住址")},
    });
    // Queued: a view asks for more rows while it paints, no place for a message box.
    connect(m_model, &LazyQueryModel::readFailed, this, [](const QString& message) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("读取用户信息失败: ") + message);
    }, Qt::QueuedConnection);
    SubjectList::configureQuery(m_query);
    m_query.setConnection(ctx.info);
    TFormQueryDlg::install(m_query, this);
    m_sql = SubjectList::listSql();
    buildUi();
    updateNavigator();
}

TFrame1::~TFrame1() = default;

void TFrame1::buildUi() {
    auto* browse = new QGroupBox(QStringLiteral("用户信息浏览"), this);
    auto* browseLayout = new QVBoxLayout(browse);
    m_grid = new QTableView(browse);
    m_grid->setObjectName(QStringLiteral("subjectGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setDefaultSectionSize(24);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {110, 110, 60, 110, 130, 90};
    for (int i = 0; i < 6; ++i)
        m_grid->setColumnWidth(i, widths[i]);
    browseLayout->addWidget(m_grid, 1);
    auto* findRow = new QHBoxLayout;
    findRow->addStretch();
    m_findButton = new QPushButton(QStringLiteral("查找记录"), browse);
    m_findButton->setObjectName(QStringLiteral("findButton"));
    findRow->addWidget(m_findButton);
    browseLayout->addLayout(findRow);
    connect(m_findButton, &QPushButton::clicked, this, &TFrame1::findRecords);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { gridRowChanged(current.isValid() ? current.row() : -1); });

    auto* edit = new QGroupBox(QStringLiteral("用户信息编辑:所有信息必填,用户ID(最长为10位)不能重复."), this);
    auto* form = new QGridLayout(edit);
    auto lineEdit = [edit](const char* name, int maxLength) {
        auto* e = new QLineEdit(edit);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        return e;
    };
    m_idEdit = lineEdit("idEdit", SubjectList::maxIdLength);
    m_idEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_idEdit->setValidator(new UpperCaseValidator(m_idEdit));
    m_idEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_nameEdit = lineEdit("nameEdit", 50);
    m_telEdit = lineEdit("telEdit", 30);
    m_telEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_addressEdit = lineEdit("addressEdit", 100);
    m_sexBox = new QComboBox(edit);
    m_sexBox->setObjectName(QStringLiteral("sexBox"));
    m_sexBox->setEditable(true);
    m_sexBox->addItems({QStringLiteral("男"), QStringLiteral("女")});
    m_groupBox = new QComboBox(edit);
    m_groupBox->setObjectName(QStringLiteral("groupBox"));
    m_groupBox->setEditable(true);
    m_groupBox->addItems({QStringLiteral("正常组"), QStringLiteral("对照组"), QStringLiteral("病人组")});
    m_birthEdit = new QDateEdit(edit);
    m_birthEdit->setObjectName(QStringLiteral("birthEdit"));
    m_birthEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_birthEdit->setCalendarPopup(true);
    m_birthEdit->setMinimumDate(noDate);
    m_birthEdit->setSpecialValueText(QStringLiteral(" "));

    auto label = [edit](const QString& text) {
        auto* l = new QLabel(text, edit);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    form->addWidget(label(QStringLiteral("用户ID:")), 0, 0);
    form->addWidget(m_idEdit, 0, 1);
    form->addWidget(label(QStringLiteral("用户姓名:")), 0, 2);
    form->addWidget(m_nameEdit, 0, 3);
    form->addWidget(label(QStringLiteral("性别:")), 0, 4);
    form->addWidget(m_sexBox, 0, 5);
    form->addWidget(label(QStringLiteral("联系电话:")), 1, 0);
    form->addWidget(m_telEdit, 1, 1);
    form->addWidget(label(QStringLiteral("家庭住址:")), 1, 2);
    form->addWidget(m_addressEdit, 1, 3);
    form->addWidget(label(QStringLiteral("测试分组:")), 1, 4);
    form->addWidget(m_groupBox, 1, 5);
    form->addWidget(label(QStringLiteral("出生日期:")), 2, 0);
    form->addWidget(m_birthEdit, 2, 1);
    m_navigator = new RecordNavigator(edit);
    m_navigator->setObjectName(QStringLiteral("navigator"));
    form->addWidget(m_navigator, 3, 0, 1, 6);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 2);
    form->setColumnStretch(5, 1);
    connect(m_navigator, &RecordNavigator::clicked, this,
            [this](RecordNavigator::Button b) { navigatorClicked(b); });

    QWidget* order[] = {m_idEdit, m_nameEdit, m_telEdit, m_addressEdit, m_sexBox, m_groupBox, m_birthEdit};
    for (int i = 0; i + 1 < 7; ++i)
        setTabOrder(order[i], order[i + 1]);
    for (QWidget* w : order)
        w->installEventFilter(this);
    for (QLineEdit* e : {m_idEdit, m_nameEdit, m_telEdit, m_addressEdit})
        connect(e, &QLineEdit::textEdited, this, &TFrame1::fieldEdited);
    for (QComboBox* c : {m_sexBox, m_groupBox})
        connect(c, &QComboBox::currentTextChanged, this, &TFrame1::fieldEdited);
    connect(m_birthEdit, &QDateEdit::dateChanged, this, &TFrame1::fieldEdited);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browse, 1);
    layout->addWidget(edit);
}

void TFrame1::fill() {
    // The builder writes dates the way this engine reads them.
    m_query.setDateTimeCompart(m_ctx.info->dialect().dateDelimiter());
    m_state = State::Browse;
    openList(m_sql, 0);
}

bool TFrame1::openList(const QString& sql, int keepRow) {
    try {
        m_model->open(*m_ctx.info, sql);
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("读取用户信息失败: ") + e.message());
        moveTo(-1);
        return false;
    }
    while (keepRow >= m_model->rowCount() && m_model->canFetchMore())
        m_model->fetchMore();
    moveTo(qMin(keepRow, m_model->rowCount() - 1));
    return true;
}

void TFrame1::moveTo(int row) {
    m_row = row;
    m_syncingGrid = true;
    if (row >= 0) {
        const QModelIndex index = m_model->index(row, 0);
        m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        m_grid->scrollTo(index);
    } else {
        m_grid->selectionModel()->clearSelection();
    }
    m_syncingGrid = false;
    showRow(row);
    updateNavigator();
}

void TFrame1::gridRowChanged(int row) {
    if (m_syncingGrid || row == m_row)
        return;
    if (m_state != State::Browse) {
        const bool inserting = m_state == State::Insert;
        const int insertedAt = qMax(m_row, 0);
        if (!post()) {
            moveTo(m_row);
            return;
        }
        // The new row went in above the clicked one.
        if (inserting && row >= insertedAt)
            ++row;
    }
    moveTo(qMin(row, m_model->rowCount() - 1));
}

void TFrame1::showRow(int row) {
    m_loading = true;
    auto text = [this, row](const char* field) {
        return m_model->value(row, QLatin1String(field)).toString();
    };
    m_idEdit->setText(row >= 0 ? text("id") : QString());
    m_nameEdit->setText(row >= 0 ? text("name") : QString());
    m_telEdit->setText(row >= 0 ? text("tel") : QString());
    m_addressEdit->setText(row >= 0 ? text("address") : QString());
    m_sexBox->setCurrentIndex(-1);
    m_sexBox->setEditText(row >= 0 ? text("xb") : QString());
    m_groupBox->setCurrentIndex(-1);
    m_groupBox->setEditText(row >= 0 ? text("TESTGROU") : QString());
    const QDate birth = row >= 0 ? variantToDate(m_model->value(row, QStringLiteral("csdate"))) : QDate();
    m_birthEdit->setDate(birth.isValid() ? birth : noDate);
    m_loading = false;
}

void TFrame1::fieldEdited() {
    if (m_loading || m_state != State::Browse)
        return;
    // Typing into a field starts an edit; into an empty list, a new row.
    m_state = m_row >= 0 ? State::Edit : State::Insert;
    updateNavigator();
}

SubjectRecord TFrame1::recordFromFields() const {
    SubjectRecord r;
    r.id = m_idEdit->text().trimmed().toUpper();
    r.name = m_nameEdit->text();
    r.sex = m_sexBox->currentText();
    r.group = m_groupBox->currentText();
    r.tel = m_telEdit->text();
    r.address = m_addressEdit->text();
    if (m_birthEdit->date() != noDate)
        r.birth = m_birthEdit->date();
    return r;
}

void TFrame1::updateNavigator() {
    const bool editing = m_state != State::Browse;
    const bool more = m_row < m_model->rowCount() - 1 || m_model->canFetchMore();
    m_navigator->setEnabled(RecordNavigator::First, m_row > 0);
    m_navigator->setEnabled(RecordNavigator::Prior, m_row > 0);
    m_navigator->setEnabled(RecordNavigator::Next, more);
    m_navigator->setEnabled(RecordNavigator::Last, more);
    m_navigator->setEnabled(RecordNavigator::Insert, true);
    m_navigator->setEnabled(RecordNavigator::Delete, m_row >= 0 || editing);
    m_navigator->setEnabled(RecordNavigator::Edit, !editing && m_row >= 0);
    m_navigator->setEnabled(RecordNavigator::Post, editing);
    m_navigator->setEnabled(RecordNavigator::Cancel, editing);
    m_navigator->setEnabled(RecordNavigator::Refresh, true);
}

void TFrame1::navigatorClicked(int button) {
    switch (RecordNavigator::Button(button)) {
    case RecordNavigator::First:
        first();
        break;
    case RecordNavigator::Prior:
        prior();
        break;
    case RecordNavigator::Next:
        next();
        break;
    case RecordNavigator::Last:
        last();
        break;
    case RecordNavigator::Insert:
        insertRecord();
        break;
    case RecordNavigator::Delete:
        deleteRecord();
        break;
    case RecordNavigator::Edit:
        editRecord();
        break;
    case RecordNavigator::Post:
        post();
        break;
    case RecordNavigator::Cancel:
        cancel();
        break;
    case RecordNavigator::Refresh:
        refresh();
        break;
    case RecordNavigator::ButtonCount:
        break;
    }
}

void TFrame1::first() {
    if (post() && m_model->rowCount() > 0)
        moveTo(0);
}

void TFrame1::prior() {
    if (post() && m_row > 0)
        moveTo(m_row - 1);
}

void TFrame1::next() {
    if (!post())
        return;
    if (m_row + 1 >= m_model->rowCount() && m_model->canFetchMore())
        m_model->fetchMore();
    if (m_row + 1 < m_model->rowCount())
        moveTo(m_row + 1);
}

void TFrame1::last() {
    if (!post())
        return;
    m_model->fetchAll();
    if (m_model->rowCount() > 0)
        moveTo(m_model->rowCount() - 1);
}

void TFrame1::insertRecord() {
    if (!post())
        return;
    m_state = State::Insert;
    showRow(-1);
    updateNavigator();
    m_idEdit->setFocus();
}

void TFrame1::editRecord() {
    if (m_state == State::Browse && m_row >= 0) {
        m_state = State::Edit;
        updateNavigator();
    }
}

void TFrame1::cancel() {
    if (m_state == State::Browse)
        return;
    m_state = State::Browse;
    showRow(m_row);
    updateNavigator();
}

bool TFrame1::post() {
    if (m_state == State::Browse)
        return true;
    const SubjectRecord subject = recordFromFields();
    const bool inserting = m_state == State::Insert;
    try {
        if (inserting)
            m_list.insert(subject);
        else
            m_list.update(m_model->value(m_row, QStringLiteral("id")).toString(), subject);
    } catch (const DbError& e) {
        // The row stays in edit so that nothing typed is lost.
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok, m_list.refusalText(e));
        return false;
    }
    QVariantList values = inserting ? QVariantList() : m_model->rowValues(m_row);
    while (values.size() < m_model->fieldNames().size())
        values << QVariant();
    auto set = [&](const char* field, const QVariant& value) {
        const int index = m_model->fieldIndex(QLatin1String(field));
        if (index >= 0)
            values[index] = value;
    };
    auto textValue = [](const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); };
    set("id", subject.id);
    set("name", textValue(subject.name));
    set("xb", textValue(subject.sex));
    set("csdate", subject.birth.isValid() ? QVariant(subject.birth) : QVariant());
    set("tel", textValue(subject.tel));
    set("TESTGROU", textValue(subject.group));
    set("address", textValue(subject.address));
    m_state = State::Browse;
    if (inserting) {
        const int at = qMax(m_row, 0);
        m_model->insertRowValues(at, values);
        moveTo(at);
    } else {
        m_model->setRowValues(m_row, values);
        moveTo(m_row);
    }
    return true;
}

void TFrame1::deleteRecord() {
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_row < 0)
        return;
    if (!Dialogs::instance().okCancel(QStringLiteral("确定要删除当前记录吗？"), Dialogs::Icon::Question))
        return;
    const QString id = m_model->value(m_row, QStringLiteral("id")).toString();
    try {
        m_list.remove(id);
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("删除失败,该用户及其测试结果都没有删除: ") + e.message());
        return;
    }
    m_state = State::Browse;
    const int row = m_row;
    m_model->removeCachedRow(row);
    if (row >= m_model->rowCount() && m_model->canFetchMore())
        m_model->fetchMore();
    moveTo(qMin(row, m_model->rowCount() - 1));
}

void TFrame1::refresh() {
    if (post())
        openList(m_sql, m_row);
}

void TFrame1::findRecords() {
    if (!post())
        return;
    if (!m_query.Execute(true))
        return;
    const QString sql = SubjectList::listSql(m_query.QueryTerm());
    if (openList(sql, 0))
        m_sql = sql;
    else
        openList(m_sql, 0);
}

bool TFrame1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter walks through the fields like Tab.
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
