#include "categoryfilter.h"

bool CategoryFilter::IsFilteredOut(qint32 categories) const
{
    if (FilterMask == 0)
        return false;
    switch (mode) {
    case Mode::Any:
        return (categories & FilterMask) == 0;
    case Mode::All:
        return (categories & FilterMask) != FilterMask;
    case Mode::Off:
        break;
    }
    return false;
}
