#pragma once

#include <exception>
#include <string>

#include <QString>

namespace store {

// A failure carrying the message text that the user sees. Every layer below
// the window raises these; the window's default error report and the CLI show
// message() as it stands.
class Error : public std::exception {
public:
    explicit Error(QString message);

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

}  // namespace store
