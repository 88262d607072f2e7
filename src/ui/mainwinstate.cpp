#include "mainwinstate.h"

namespace {
const QString NormalPrefix = QStringLiteral("Norm_");
const QString AlternatePrefix = QStringLiteral("Alt_");
} // namespace

TMainWinState::TMainWinState(TWinLayoutTarget &window, const Profile &profile)
    : m_window(window)
{
    Restore(profile);
}

void TMainWinState::Restore(const Profile &profile)
{
    m_normal = TWinLayout::Read(profile, NormalPrefix, TWinLayout::NormalDefaults());
    m_alt = TWinLayout::Read(profile, AlternatePrefix, TWinLayout::AlternateDefaults());
}

void TMainWinState::Save(Profile &profile) const
{
    m_normal.Write(profile, NormalPrefix);
    m_alt.Write(profile, AlternatePrefix);
}

void TMainWinState::Get() { active() = m_window.GetSettings(); }

void TMainWinState::Apply() { m_window.ApplySettings(active()); }

void TMainWinState::Toggle()
{
    Get();
    m_alternate = !m_alternate;
    Apply();
}

void TMainWinState::Finish(Profile &profile)
{
    Get();
    Save(profile);
}
