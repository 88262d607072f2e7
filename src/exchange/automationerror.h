#pragma once

#include <QString>
#include <stdexcept>

// A call of the automation object that cannot be done; the bus turns the code into the
// error name the client sees.
class EAutomation : public std::runtime_error
{
public:
    enum class Code {
        InvalidArgs,  // an argument the member cannot take
        RemoteParent, // a new item inside a remote (read-only) folder
        ReadOnly,     // a change to an item inside a remote folder
        Busy,         // a dialog or a long job runs; try again later
        ItemGone,     // the current item left the tree; the cursor is at the root again
        NotSupported, // the program offers no such thing here
        Failed,       // the operation itself failed
    };

    EAutomation(Code code, const QString &message) : std::runtime_error(message.toStdString()), m_code(code) {}
    Code code() const { return m_code; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    Code m_code;
};
