#pragma once

#include <QString>
#include <array>

// The calling-card services offered in "Dialing Properties", in list order. In a
// format "N" stands for the number to call, "H" for the calling-card number,
// "," for a pause and "$" for waiting for the dial tone.
struct CallingCardService
{
    const char *name;
    const char *format;
};

extern const std::array<CallingCardService, 21> ServiceFormats;

// The position of a service by its stored name; -1 when there is none of that name.
int ServiceIndex(const QString &name);

// The format to dial for a service: its first "H" replaced by the card number.
// An index out of range gives an empty format.
QString ExpandCardFormat(int service, const QString &cardNumber);
