#pragma once

#include <functional>

// Help topic of every item property dialog.
constexpr int ItemDialogHelpContext = 1039;

// Opens help at a topic; start-up installs the one that opens the HTML help pages.
// Unset, the Help buttons do nothing.
inline std::function<void(int helpContext)> HelpHook;

inline void ShowDialogHelp(int helpContext)
{
    if (HelpHook)
        HelpHook(helpContext);
}
