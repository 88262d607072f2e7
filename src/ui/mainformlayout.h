#pragma once

#include "winlayout.h"

class TMainForm;

// The main window as the window-state object sees it. Making it also ties each
// bar to its View menu check: the entry shows or hides the bar, and a bar closed
// by its own means clears the entry, so the checks always tell the bars' state.
class TMainFormLayout : public TWinLayoutTarget
{
public:
    explicit TMainFormLayout(TMainForm &form);

    TWinLayout GetSettings() const override;
    void ApplySettings(const TWinLayout &layout) override;

private:
    TMainForm &m_form;
};
