// The error every statement of the data layer raises when the database refuses it.
#pragma once

#include <QString>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    // The database's own message, as the pages show it.
    QString message() const { return m_message; }

private:
    QString m_message;
};
