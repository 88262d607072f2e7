#pragma once

#include "winlayout.h"

class Profile;

// The main window's two layouts, normal and alternate. The normal one is active
// at every start; both are written once, when the program ends.
class TMainWinState
{
public:
    // Active := normal; reads both layouts.
    TMainWinState(TWinLayoutTarget &window, const Profile &profile);

    void Restore(const Profile &profile);
    // Writes both layouts (28 keys); the caller saves the profile.
    void Save(Profile &profile) const;
    // The window's current layout into the active record.
    void Get();
    // The active record onto the window.
    void Apply();
    // View > "&Toggle Main Window".
    void Toggle();
    // At program end: Get, then Save.
    void Finish(Profile &profile);

    bool AlternateActive() const { return m_alternate; }
    const TWinLayout &Normal() const { return m_normal; }
    const TWinLayout &Alternate() const { return m_alt; }

private:
    TWinLayout &active() { return m_alternate ? m_alt : m_normal; }

    TWinLayoutTarget &m_window;
    bool m_alternate = false;
    TWinLayout m_normal;
    TWinLayout m_alt;
};
