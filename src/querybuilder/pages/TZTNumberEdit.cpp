// Numeric value editor: typing filter, paste check, bounds and reformatting on leave.
#include "TZTNumberEdit.h"

#include "querybuilder/NumberEditRules.h"
#include "shell/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

namespace {
// Lets through only what can still become a number of the editor's form.
class PartialNumberValidator : public QValidator {
public:
    PartialNumberValidator(const TZTNumberEdit* edit)
        : QValidator(const_cast<TZTNumberEdit*>(edit)), m_edit(edit) {}
    State validate(QString& input, int&) const override {
        return NumberEditRules::isPartialNumber(input, m_edit->Digits(), m_edit->Min() < 0) ? Acceptable
                                                                                            : Invalid;
    }

private:
    const TZTNumberEdit* m_edit;
};
} // namespace

TZTNumberEdit::TZTNumberEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setValidator(new PartialNumberValidator(this));
    setValue(0);
}

void TZTNumberEdit::setDigits(int digits) {
    m_digits = qBound(0, digits, NumberEditRules::maxDigits);
    setValue(value());
}

bool TZTNumberEdit::setMin(double min) {
    if (min > m_max) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("最小值不能够大于最大值!"));
        return false;
    }
    m_min = min;
    return true;
}

bool TZTNumberEdit::setMax(double max) {
    if (max < m_min) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("最大值不能够小于最小值!"));
        return false;
    }
    m_max = max;
    return true;
}

void TZTNumberEdit::setBounds(double min, double max) {
    m_min = min;
    m_max = qMax(min, max);
    setValue(value());
}

double TZTNumberEdit::value() const {
    return NumberEditRules::clamp(NumberEditRules::read(text()).value_or(0.0), m_min, m_max);
}

void TZTNumberEdit::setValue(double value) {
    setText(NumberEditRules::format(NumberEditRules::clamp(value, m_min, m_max), m_digits));
}

void TZTNumberEdit::refuse() {
    if (!m_errorMessage.isEmpty())
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok, m_errorMessage);
    QTimer::singleShot(0, this, [this] { setFocus(); });
}

bool TZTNumberEdit::checkOnLeave() {
    const std::optional<double> number = NumberEditRules::read(text());
    if (!number) {
        setText(m_enteredText);
        refuse();
        return false;
    }
    if (*number < m_min || *number > m_max) {
        setText(NumberEditRules::format(NumberEditRules::clamp(*number, m_min, m_max), m_digits));
        refuse();
        return false;
    }
    setText(NumberEditRules::format(*number, m_digits));
    return true;
}

void TZTNumberEdit::focusInEvent(QFocusEvent* event) {
    if (!m_checking)
        m_enteredText = text();
    QLineEdit::focusInEvent(event);
}

void TZTNumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A message box taking the focus must not start a second check.
    if (m_checking)
        return;
    m_checking = true;
    checkOnLeave();
    m_checking = false;
}

void TZTNumberEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        const QString pasted = QApplication::clipboard()->text().trimmed();
        if (pasted.isEmpty() || !NumberEditRules::read(pasted)) {
            QApplication::beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
