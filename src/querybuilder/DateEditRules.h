// The keystroke rules of the date value editor, apart from the widget that shows them.
#pragma once

#include <QDate>
#include <QString>

// A date in the fixed form "YYYY-MM-DD" with exactly one character selected, edited in
// overwrite mode. Positions 4 and 7 are the separators and are never selected.
class DateEditState {
public:
    explicit DateEditState(const QDate& date = QDate(2000, 1, 1));

    static QDate minimum() { return QDate(1899, 1, 1); }
    static QDate maximum() { return QDate(2999, 12, 31); }

    QString text() const { return m_text; }
    QDate date() const;
    // A date outside the limits is replaced by the nearer limit; the selection goes home.
    void setDate(const QDate& date);

    int position() const { return m_pos; }
    // Selects the character at pos, or the one after a separator.
    void setPosition(int pos);

    // A digit replaces the selected character and moves on, skipping the separators; "-"
    // completes the year or the month part (a lone month digit becomes the month) unless the
    // digits have just completed it; anything else is ignored.
    void typeChar(QChar c);
    void moveLeft();
    void moveRight();

private:
    int part(int from, int length) const { return m_text.mid(from, length).toInt(); }
    void setPart(int from, int length, int value);
    void lowerDayToMonth();
    void typeYearDigit(int digit);
    void typeMonthDigit(int digit);
    void typeDayDigit(int digit);

    QString m_text;
    int m_pos = 0;
    bool m_justEntered = false; // the last digit moved the selection into a new part
};
