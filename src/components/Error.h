// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace quorvale {

/// The one error type of the project: a failure a person can read about.
/// Thrown by the core; only views and the command-line tool show it.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

    /// The message in plain words, naming the path or item involved.
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

} // namespace quorvale
