#pragma once

class TMainForm;

// Connects the main window's item services to the property dialogs and the
// category pop-up, and every dialog's Help button to the help pages.
void WireDialogs(TMainForm &form);
