// Date value editor: keys go to the date rules, the widget shows text and selection.
#include "TZTDateEdit.h"

#include "data/Clock.h"

#include <QKeyEvent>

TZTDateEdit::TZTDateEdit(QWidget* parent) : QLineEdit(parent), m_state(Clock::today()) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    m_enteredDate = m_state.date();
    showState();
}

void TZTDateEdit::setDate(const QDate& date) {
    m_state.setDate(date);
    showState();
}

void TZTDateEdit::showState() {
    if (text() != m_state.text())
        setText(m_state.text());
    setSelection(m_state.position(), 1);
}

void TZTDateEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        m_state.moveLeft();
        break;
    case Qt::Key_Right:
        m_state.moveRight();
        break;
    case Qt::Key_Home:
        m_state.setPosition(0);
        break;
    case Qt::Key_End:
        m_state.setPosition(9);
        break;
    case Qt::Key_Escape:
        // Only a change is undone here; an unchanged editor lets the dialog have Escape.
        if (m_state.date() == m_enteredDate) {
            event->ignore();
            return;
        }
        m_state.setDate(m_enteredDate);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->ignore();
        return;
    default:
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            event->ignore();
            return;
        }
        for (const QChar c : event->text())
            m_state.typeChar(c);
        break;
    }
    event->accept();
    showState();
}

void TZTDateEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_enteredDate = m_state.date();
    showState();
}

void TZTDateEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    m_state.setPosition(selectionStart() >= 0 ? selectionStart() : cursorPosition());
    showState();
}

void TZTDateEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    m_state.setPosition(cursorPosition());
    showState();
}
