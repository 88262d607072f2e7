#pragma once

#include <QtGlobal>

// The item list's category filter: which of the two filter buttons is down and the
// categories ticked in the category list (bit n - 1 for category n). The same test
// serves the list, the printed reports, the reminder list and copies from the tree.
struct CategoryFilter
{
    enum class Mode { Off, Any, All };

    Mode mode = Mode::Off;
    qint32 FilterMask = 0;

    // True while one of the buttons is down.
    bool FilterMode() const { return mode != Mode::Off; }
    // ANY hides an item sharing no ticked category, ALL one lacking any ticked
    // category; with nothing ticked, or with the filter off, nothing is hidden.
    bool IsFilteredOut(qint32 categories) const;
};
