#pragma once

#include <QString>

class TDialSettings;

// S without any character of set, scanning left to right.
QString StripChars(const QString &s, const QString &set);
// Template with the first occurrence of token replaced by value (unchanged without one).
QString ReplaceFirst(const QString &templ, const QString &token, const QString &value);

// How a stored number becomes the string the line dials from a location.
struct ComposedDial
{
    QString dialString;
    // The number kept for a later long-distance redial: stripped, without a
    // matched area code.
    QString number;
    // Whether to offer dialing it as a long-distance number.
    bool offerLongDistance = false;
};

ComposedDial ComposeDialString(const QString &number, const TDialSettings &settings);
// number as ComposeDialString kept it.
QString ComposeLongDistanceString(const QString &number, const TDialSettings &settings);
