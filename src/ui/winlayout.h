#pragma once

#include <QString>

class Profile;

// One remembered layout of the main window.
struct TWinLayout
{
    bool Toolbar = true;
    bool Newbar = true;
    bool Findbar = true;
    bool Tipbar = true;
    bool Statusbar = true;
    int Left = 0;
    int Top = 0;
    int Width = 640;
    int Height = 480;
    int Split = 201; // tree width
    int Style = 1;   // the list's view format as ViewStyle codes it (ui/viewstyle.h)
    int ColPos1 = 125;
    int ColPos2 = 150;
    int ColPos3 = 150;

    static TWinLayout NormalDefaults();
    static TWinLayout AlternateDefaults();

    // The 14 keys prefix + "Toolbar" ... prefix + "ColPos3" of section "WinState";
    // missing keys give the fields of defaults.
    static TWinLayout Read(const Profile &profile, const QString &prefix, const TWinLayout &defaults);
    void Write(Profile &profile, const QString &prefix) const;

    bool operator==(const TWinLayout &) const = default;
};

// The window a layout is taken from and applied to.
class TWinLayoutTarget
{
public:
    virtual ~TWinLayoutTarget() = default;
    virtual TWinLayout GetSettings() const = 0;
    // A style code outside 1 to 4 leaves the list's view format as it is.
    virtual void ApplySettings(const TWinLayout &layout) = 0;
};
