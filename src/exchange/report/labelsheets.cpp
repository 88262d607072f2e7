#include "labelsheets.h"

namespace {

const TLabelDimension kSheets[] = {
    {"Avery 5095-Name Tag", 58, 69, 233, 338, 375, 250, 2},
    {"Avery 5160-Address", 50, 19, 100, 263, 275, 100, 3},
    {"Avery 5161-Address", 50, 16, 100, 400, 419, 100, 2},
    {"Avery 5162-Address", 83, 16, 133, 400, 419, 133, 2},
    {"Avery 5163-Shipping", 50, 16, 200, 400, 419, 200, 2},
    {"Avery 5164-Shipping", 50, 16, 333, 400, 419, 333, 2},
    {"Avery 5260-Address", 50, 19, 100, 263, 275, 100, 3},
    {"Avery 5261-Address", 50, 16, 100, 400, 419, 100, 2},
    {"Avery 5262-Address", 83, 16, 133, 400, 419, 133, 2},
    {"Avery 5385-Rotary Card", 117, 25, 217, 400, 400, 217, 2},
    {"Avery 5386-Rotary Card", 100, 175, 300, 500, 500, 300, 1},
    {"Avery 5388-Index Card", 100, 175, 300, 500, 500, 300, 1},
    {"Avery 5389-Post Card", 150, 175, 400, 600, 600, 400, 1},
    {"Avery 5660-Address", 50, 0, 100, 283, 283, 100, 3},
    {"Avery 5661-Address", 50, 16, 100, 400, 419, 100, 2},
    {"Avery 5662-Address", 83, 0, 133, 425, 425, 133, 2},
    {"Avery 5663-Address", 50, 0, 200, 425, 425, 200, 2},
    {"Avery 5664-Shipping", 50, 16, 333, 400, 419, 333, 2},
};

const EnvelopeSize kEnvelopes[] = {
    {"#10 Env (4.125 x 9.5 in)", 950, 412, 300},
    {"Monarch (3.875 x 7.5 in)", 750, 388, 200},
    {"B5 Env (176 x 250 mm)", 1000, 700, 325},
    {"C5 Env (162 x 229 mm)", 916, 648, 283},
    {"DL Env (110 x 220 mm)", 880, 440, 265},
};

template <typename T>
const T *named(std::span<const T> list, const QString &name)
{
    for (const T &entry : list)
        if (name == QLatin1String(entry.Name))
            return &entry;
    return nullptr;
}

} // namespace

std::span<const TLabelDimension> LabelSheets() { return kSheets; }
const TLabelDimension *LabelSheetNamed(const QString &name) { return named(LabelSheets(), name); }
std::span<const EnvelopeSize> EnvelopeSizes() { return kEnvelopes; }
const EnvelopeSize *EnvelopeSizeNamed(const QString &name) { return named(EnvelopeSizes(), name); }
