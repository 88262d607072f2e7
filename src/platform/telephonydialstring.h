#pragma once

#include <QString>
#include <optional>

// A dial string as the modem gets it after "ATDT". Only digits and the dialing
// characters a modem knows pass (0-9 A-D * # , W @ ! P T); "$" (wait for dial tone)
// becomes "W", blanks are dropped. Anything else, line breaks and ";" among them,
// or a string longer than MaxDialLength refuses the whole string, so a stored
// number can never carry a modem command.
namespace DialString {

constexpr int MaxDialLength = 60;

std::optional<QString> checked(const QString &dialString);

} // namespace DialString
