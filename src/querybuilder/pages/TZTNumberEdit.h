// The numeric value editor of the query dialog: a bounded number with fixed decimals.
#pragma once

#include <QLineEdit>

class TZTNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TZTNumberEdit(QWidget* parent = nullptr);

    int Digits() const { return m_digits; }
    void setDigits(int digits);
    double Min() const { return m_min; }
    double Max() const { return m_max; }
    // Refuse a bound on the wrong side of the other one with a message; return whether taken.
    bool setMin(double min);
    bool setMax(double max);
    // Both bounds at once, for configuration from a field (min <= max assumed).
    void setBounds(double min, double max);
    QString ErrorMessage() const { return m_errorMessage; }
    void setErrorMessage(const QString& message) { m_errorMessage = message; }

    // The number: an empty text, "-" or a lone "." read as 0; clamped to the bounds.
    double value() const;
    void setValue(double value);

    // What leaving the editor does: a text that is not a number gets back the value from
    // when the editor was entered, a number out of bounds the nearer bound (both show
    // ErrorMessage when set and keep the focus here); a good number is written with the
    // fixed decimals. Returns false when the text had to be corrected.
    bool checkOnLeave();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateValidator();
    void refuse();

    int m_digits = 0;
    double m_min = -999999;
    double m_max = 999999;
    QString m_errorMessage;
    QString m_enteredText;
    bool m_checking = false;
};
