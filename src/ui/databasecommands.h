#pragma once

class QWidget;
class TMainForm;
class TTreeNodes;

// File > "&Save Database" and "R&evert to Saved".
namespace DatabaseCommands {

inline constexpr const char *RevertQuestion =
    "This option will lose all changes made during this session. Are you sure?";
inline constexpr const char *RevertCaption = "Revert to Saved";

// Saves the whole tree; a failure has been shown to the user when this returns false.
bool Write(TTreeNodes &nodes);

// The question before a revert: OK/Cancel with a question icon. True on OK.
bool ConfirmRevert(QWidget *parent);

// Drops every node below the root and loads the database file again.
void Reload(TMainForm &form);

// Asks, then reloads on OK.
void RevertToSaved(TMainForm &form);

} // namespace DatabaseCommands
