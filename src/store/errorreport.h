#pragma once

#include <QString>
#include <exception>
#include <stdexcept>

class ItemServices;

// How failures travel. The store and the exchange formats raise exceptions of named
// classes (EInOutError, ESaveError, ERemoteParent) when an operation cannot go on;
// platform services (profile, registry, lock, launcher) return false and keep an
// errorString(). The command that started the work catches at its edge: the desktop
// program through ReportException, the mira tool by printing ErrorText with its exit status.

// An operation the user stopped: the command ends and nothing is shown.
class ESilentError : public std::runtime_error
{
public:
    explicit ESilentError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// The message of an exception as the user reads it. Every exception of the program is
// made from a QString, so its text is UTF-8.
QString ErrorText(const std::exception &e);

// Shows the exception in the error message box of the item services; a failed save has
// shown its own box already (ESaveError) and is not shown twice; ESilentError is not shown.
void ReportException(const std::exception &e, ItemServices &services);
