// Digit entry, corrections and cursor moves of the date value editor.
#include "DateEditRules.h"

DateEditState::DateEditState(const QDate& date) {
    setDate(date);
}

QDate DateEditState::date() const {
    return QDate(part(0, 4), part(5, 2), part(8, 2));
}

void DateEditState::setDate(const QDate& date) {
    QDate d = date.isValid() ? date : minimum();
    if (d < minimum())
        d = minimum();
    if (d > maximum())
        d = maximum();
    m_text = d.toString(QStringLiteral("yyyy-MM-dd"));
    m_pos = 0;
    m_justEntered = false;
}

void DateEditState::setPosition(int pos) {
    m_justEntered = false;
    pos = qBound(0, pos, 9);
    if (pos == 4 || pos == 7)
        ++pos;
    m_pos = pos;
}

void DateEditState::moveLeft() {
    m_justEntered = false;
    if (m_pos == 0)
        return;
    int pos = m_pos - 1;
    if (pos == 4 || pos == 7)
        --pos;
    m_pos = pos;
}

void DateEditState::moveRight() {
    m_justEntered = false;
    if (m_pos < 9)
        setPosition(m_pos + 1);
}

void DateEditState::setPart(int from, int length, int value) {
    m_text.replace(from, length, QStringLiteral("%1").arg(value, length, 10, QLatin1Char('0')));
}

static int daysIn(int year, int month) {
    return QDate(year, month, 1).daysInMonth();
}

void DateEditState::lowerDayToMonth() {
    const int last = daysIn(part(0, 4), part(5, 2));
    if (part(8, 2) > last)
        setPart(8, 2, last);
}

void DateEditState::typeChar(QChar c) {
    const bool justEntered = m_justEntered;
    m_justEntered = false;
    if (c == QLatin1Char('-')) {
        // After a part filled up by digits, the "-" the operator types out of habit is the one
        // the editor already went past.
        if (justEntered)
            return;
        if (m_pos < 4) {
            m_pos = 5;
        } else if (m_pos == 5) {
            m_pos = 8;
        } else if (m_pos == 6) {
            // One month digit and "-": that digit is the month.
            const int month = m_text.at(5).digitValue();
            if (month > 0) {
                setPart(5, 2, month);
                lowerDayToMonth();
            }
            m_pos = 8;
        }
        return;
    }
    if (!c.isDigit() || c.unicode() > 127)
        return;
    const int digit = c.digitValue();
    const int before = m_pos;
    if (m_pos < 4)
        typeYearDigit(digit);
    else if (m_pos < 7)
        typeMonthDigit(digit);
    else
        typeDayDigit(digit);
    m_justEntered = (m_pos == 5 && before < 4) || (m_pos == 8 && before < 7);
}

void DateEditState::typeYearDigit(int digit) {
    if (m_pos == 0 && digit != 1 && digit != 2)
        return;
    m_text[m_pos] = QChar(u'0' + digit);
    const int year = qBound(minimum().year(), part(0, 4), maximum().year());
    setPart(0, 4, year);
    lowerDayToMonth();
    setPosition(m_pos + 1);
}

void DateEditState::typeMonthDigit(int digit) {
    if (m_pos == 5) {
        if (digit > 1) {
            // No month starts with this digit: it is the month's only digit.
            setPart(5, 2, digit);
            lowerDayToMonth();
            m_pos = 8;
            return;
        }
        m_text[5] = QChar(u'0' + digit);
        const int month = part(5, 2);
        if (month == 0)
            m_text[6] = QLatin1Char('1');
        else if (month > 12)
            m_text[6] = QLatin1Char('0');
        lowerDayToMonth();
        m_pos = 6;
        return;
    }
    m_text[6] = QChar(u'0' + digit);
    const int month = part(5, 2);
    if (month == 0)
        m_text[5] = QLatin1Char('1');
    else if (month > 12)
        m_text[5] = QLatin1Char('0');
    lowerDayToMonth();
    m_pos = 8;
}

void DateEditState::typeDayDigit(int digit) {
    const int last = daysIn(part(0, 4), part(5, 2));
    if (m_pos == 8) {
        if (digit > 3) {
            setPart(8, 2, digit);
        } else {
            m_text[8] = QChar(u'0' + digit);
            const int day = part(8, 2);
            if (day == 0)
                m_text[9] = QLatin1Char('1');
            else if (day > last)
                setPart(8, 2, last);
        }
        m_pos = 9;
        return;
    }
    m_text[9] = QChar(u'0' + digit);
    const int day = part(8, 2);
    if (day == 0)
        m_text[8] = QLatin1Char('1');
    else if (day > last)
        setPart(8, 2, last);
}
