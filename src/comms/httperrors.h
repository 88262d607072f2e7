#pragma once

#include "store/errorreport.h"

#include <QString>
#include <stdexcept>

// A transfer that cannot go on; the text carries the socket layer's code, such as
// "[10061] Connection refused".
class ESocketError : public std::runtime_error
{
public:
    explicit ESocketError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

class ETimedOutError : public ESocketError
{
public:
    using ESocketError::ESocketError;
};

// The user stopped the transfer: the command ends without a message.
class ECanceledError : public ESilentError
{
public:
    explicit ECanceledError(const QString &message) : ESilentError(message) {}
};

namespace HttpErrors {
// The socket layer's own codes.
enum Code {
    TimedOut = 57000,
    Canceled = 57001,
    ResolveFailed = 57004,
    ProxyPortRequired = 57006,
    InvalidUrl = 57007,
    ConnectionRefused = 10061,
    ConnectionReset = 10054,
    ConnectionTimedOut = 10060,
    NetworkUnreachable = 10051,
    HostNotFound = 11001,
};

// The text of a code: "[10061] Connection refused", "Invalid URL", or "Error #<code>"
// for a code without one.
QString Text(int code);
} // namespace HttpErrors
