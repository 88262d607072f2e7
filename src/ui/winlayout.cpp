#include "winlayout.h"

#include "platform/profile.h"

namespace {
const QString Section = QStringLiteral("WinState");

// The fields in key order, so reading and writing cannot drift apart.
struct BoolKey { const char *suffix; bool TWinLayout::*field; };
struct IntKey { const char *suffix; int TWinLayout::*field; };
constexpr BoolKey BoolKeys[] = {
    {"Toolbar", &TWinLayout::Toolbar}, {"Newbar", &TWinLayout::Newbar},       {"Findbar", &TWinLayout::Findbar},
    {"Tipbar", &TWinLayout::Tipbar},   {"Statusbar", &TWinLayout::Statusbar},
};
constexpr IntKey IntKeys[] = {
    {"Left", &TWinLayout::Left},   {"Top", &TWinLayout::Top},         {"Width", &TWinLayout::Width},
    {"Height", &TWinLayout::Height}, {"Split", &TWinLayout::Split},   {"Style", &TWinLayout::Style},
    {"ColPos1", &TWinLayout::ColPos1}, {"ColPos2", &TWinLayout::ColPos2}, {"ColPos3", &TWinLayout::ColPos3},
};
} // namespace

TWinLayout TWinLayout::NormalDefaults() { return TWinLayout(); }

TWinLayout TWinLayout::AlternateDefaults()
{
    TWinLayout layout;
    layout.Toolbar = layout.Newbar = layout.Findbar = layout.Tipbar = false;
    layout.Width = 300;
    layout.Split = 1;
    return layout;
}

TWinLayout TWinLayout::Read(const Profile &profile, const QString &prefix, const TWinLayout &defaults)
{
    TWinLayout layout;
    for (const BoolKey &k : BoolKeys)
        layout.*k.field = profile.readBool(Section, prefix + QLatin1String(k.suffix), defaults.*k.field);
    for (const IntKey &k : IntKeys)
        layout.*k.field = profile.readInteger(Section, prefix + QLatin1String(k.suffix), defaults.*k.field);
    return layout;
}

void TWinLayout::Write(Profile &profile, const QString &prefix) const
{
    for (const BoolKey &k : BoolKeys)
        profile.writeBool(Section, prefix + QLatin1String(k.suffix), this->*k.field);
    for (const IntKey &k : IntKeys)
        profile.writeInteger(Section, prefix + QLatin1String(k.suffix), this->*k.field);
}
