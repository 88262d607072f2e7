#pragma once

// Help topic of every item property dialog; its Help button asks the item's
// services for it (ItemServices::ShowHelp).
constexpr int ItemDialogHelpContext = 1039;
