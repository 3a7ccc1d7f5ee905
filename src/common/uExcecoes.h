#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The root of the program's errors: every error carries the Portuguese text the user reads.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &message);

    const QString &Message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// An invalid quotation file or any other refusal of the program's own.
class EVrtException : public Exception
{
public:
    using Exception::Exception;
};

// A text that does not convert into the number it should hold.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be created, read, written, renamed or removed.
class EFileError : public Exception
{
public:
    using Exception::Exception;
};

// The silent abort: cancels the operation in progress without a message to the user.
class EAbort : public Exception
{
public:
    EAbort();
};
