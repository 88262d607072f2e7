#pragma once

#include "dialsettings.h"

#include <QString>
#include <QStringList>

// What the "Dialing Properties" dialog shows and does, without its widgets: the
// device and location lists, the fields of the location shown, New, Delete and OK.
// It works on the settings it is given (a copy the caller assigns back on OK).
class DialSetupState
{
public:
    DialSetupState(TDialSettings &settings, QStringList devices);

    // The fields of the location shown.
    struct Fields
    {
        int device = -1; // position in devices(), -1 when the stored one is not there
        QString areaCode, localPrefix, longPrefix;
        TDialMode dialMode = TDialMode::dmTone;
        bool useCard = false;
        int service = 0;
        QString cardNumber, code;
    };

    const QStringList &devices() const { return m_devices; }
    const QStringList &locations() const { return m_locations; }
    int selectedLocation() const { return m_selected; }
    bool deleteEnabled() const { return m_locations.size() > 1; }
    Fields fields;

    // On show: lists the locations and fills the fields from the stored settings.
    void Show();
    // Another entry of the location list: its stored values replace the fields.
    bool SelectLocation(int index);
    // "New...": a name that cannot be a location is refused; one already listed
    // (in any case) is selected; otherwise it is added, selected and its key made.
    bool NewLocation(const QString &name);
    // "Delete": removes the selected location and its key, then shows the first
    // one left, so OK never saves without a location.
    bool DeleteSelected();
    // The calling-card format for the service and card number in the fields.
    void ExpandCard();
    // OK: the fields go back into the settings, which are saved.
    bool Accept();

    // Why the last operation failed.
    QString errorString() const { return m_error; }

private:
    void fillFromSettings();
    bool fail(const QString &message);

    TDialSettings &m_settings;
    QStringList m_devices;
    QStringList m_locations;
    int m_selected = -1;
    QString m_error;
};
