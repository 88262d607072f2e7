#pragma once

#include <QString>

class TFolderObject;

// The remote-location part of the folder dialog: the "remote" box, the two radios
// ("Local network" for a file path, "Internet" for an "http://" or "https://" address) and the
// location text, with what each click does to the others.
class FolderLocation
{
public:
    // The state the dialog opens with for the folder's current location.
    explicit FolderLocation(const QString &location);

    bool remote() const { return m_remote; }
    bool internet() const { return m_internet; }
    const QString &text() const { return m_text; }

    // The radios and the location field are usable only for a remote folder.
    bool locationEnabled() const { return m_remote; }
    // Browsing for a file makes sense for a local-network path only.
    bool browseVisible() const { return m_remote && !m_internet; }

    void setRemote(bool remote) { m_remote = remote; }
    // Choosing "Internet" starts an address that lacks the scheme afresh; going back
    // to "Local network" drops an address.
    void setInternet(bool internet);
    void setText(const QString &text) { m_text = text; }

    // The location OK stores: empty for a local folder, an "Internet" address with
    // its scheme in front.
    QString result() const;

    static bool isHttp(const QString &location);

private:
    bool m_remote;
    bool m_internet;
    QString m_text;
};

// What the folder dialog's OK does to the folder (the title is taken even when empty).
void ApplyFolderDialog(TFolderObject &folder, const QString &title, const QString &comment, const QString &location);
