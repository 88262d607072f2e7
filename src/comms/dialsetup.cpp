#include "dialsetup.h"

#include "callingcards.h"

DialSetupState::DialSetupState(TDialSettings &settings, QStringList devices)
    : m_settings(settings), m_devices(std::move(devices))
{
}

bool DialSetupState::fail(const QString &message)
{
    m_error = message;
    return false;
}

void DialSetupState::Show()
{
    m_locations = m_settings.Locations();
    fillFromSettings();
}

void DialSetupState::fillFromSettings()
{
    m_settings.Load();
    fields.device = m_settings.DeviceIndex(m_devices);
    m_selected = int(m_locations.indexOf(m_settings.Location));
    if (m_settings.Location.isEmpty()) {
        // The registry could not name one: OK tries the first listed and says why it fails.
        m_selected = m_locations.isEmpty() ? -1 : 0;
    } else if (m_selected < 0) {
        // A stored location whose key is gone: listed, so OK can keep it.
        m_locations.append(m_settings.Location);
        m_selected = int(m_locations.size()) - 1;
    }
    fields.areaCode = m_settings.AreaCode;
    fields.localPrefix = m_settings.LocalPrefix;
    fields.longPrefix = m_settings.LongPrefix;
    fields.dialMode = m_settings.DialMode;
    fields.useCard = m_settings.UseCard;
    fields.service = qMax(0, ServiceIndex(m_settings.Service));
    fields.cardNumber = m_settings.CardNumber;
    fields.code = m_settings.Code;
}

bool DialSetupState::SelectLocation(int index)
{
    m_error.clear();
    if (index < 0 || index >= m_locations.size())
        return false;
    if (!m_settings.SetLocation(m_locations.at(index)))
        return fail(m_settings.ErrorString());
    fillFromSettings();
    return true;
}

bool DialSetupState::NewLocation(const QString &name)
{
    m_error.clear();
    if (name.isEmpty())
        return false;
    if (!TDialSettings::IsValidLocationName(name))
        return fail(QStringLiteral("A location's name cannot be blank or contain \"\\\"."));
    for (int i = 0; i < m_locations.size(); ++i)
        if (m_locations.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return SelectLocation(i);
    if (!m_settings.SetLocation(name))
        return fail(m_settings.ErrorString());
    m_locations.append(m_settings.Location);
    fillFromSettings();
    return true;
}

bool DialSetupState::DeleteSelected()
{
    m_error.clear();
    if (!deleteEnabled() || m_selected < 0)
        return false;
    if (!m_settings.DeleteLocation(m_locations.at(m_selected)))
        return fail(m_settings.ErrorString());
    m_locations.removeAt(m_selected);
    m_selected = -1;
    return SelectLocation(0);
}

void DialSetupState::ExpandCard()
{
    fields.code = ExpandCardFormat(fields.service, fields.cardNumber);
}

bool DialSetupState::Accept()
{
    m_error.clear();
    if (m_selected < 0)
        return fail(QStringLiteral("No dialing location is selected."));
    if (fields.device >= 0 && fields.device < m_devices.size()) {
        m_settings.DeviceID = fields.device;
        m_settings.DeviceName = m_devices.at(fields.device);
    }
    if (!m_settings.SetLocation(m_locations.at(m_selected)))
        return fail(m_settings.ErrorString());
    m_settings.AreaCode = fields.areaCode;
    m_settings.LocalPrefix = fields.localPrefix;
    m_settings.LongPrefix = fields.longPrefix;
    m_settings.DialMode = fields.dialMode;
    m_settings.UseCard = fields.useCard;
    const int service = fields.service >= 0 && fields.service < int(ServiceFormats.size()) ? fields.service : 0;
    m_settings.Service = QString::fromLatin1(ServiceFormats[size_t(service)].name);
    m_settings.CardNumber = fields.cardNumber;
    m_settings.Code = fields.code;
    if (!m_settings.Save())
        return fail(m_settings.ErrorString());
    return true;
}
