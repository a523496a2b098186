#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// An error whose message is written for the person at the keyboard: it says which entry
// is wrong and why. Click handlers let it escape; the dispatcher shows it in a box.
class UserError : public std::exception
{
public:
    explicit UserError(QString message);

    const QString &message() const { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};

// A value that does not fit the 32-bit range (or any finite number).
class OverflowError : public UserError
{
public:
    using UserError::UserError;
};
