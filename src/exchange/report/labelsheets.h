#pragma once

#include <QString>
#include <span>

// One predefined label sheet, in hundredths of an inch.
struct TLabelDimension
{
    const char *Name;
    int Top;
    int Side;
    int Height;
    int Width;
    int HPitch;
    int VPitch;
    int Across;
};

// The eighteen sheets in the order the label list shows them.
std::span<const TLabelDimension> LabelSheets();
// The sheet of that name (exactly as listed), or none.
const TLabelDimension *LabelSheetNamed(const QString &name);

// One envelope size: its length and height and where the delivery address starts across,
// in hundredths of an inch.
struct EnvelopeSize
{
    const char *Name;
    int Length;
    int Height;
    int DeliveryLeft;
};

std::span<const EnvelopeSize> EnvelopeSizes();
const EnvelopeSize *EnvelopeSizeNamed(const QString &name);
