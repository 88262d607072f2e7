#pragma once

#include "contactpoint.h"

// A website (kind 4): a container item with its own node; Value is the address with
// its scheme. Its action opens the address in the web browser.
class TWebObject : public TContactPointObject
{
public:
    TWebObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
               const QString &dataLine);

    PopupVisibility PreparePopup() const override;
    void Open() override;
    void Browse() override;
    bool InHTMLIndex() const override;
    QString GetVCardLine() const override;

    // What the website dialog's OK does: needs an address with a known scheme
    // (HasURLScheme); the title may be empty. Anything else is refused silently.
    bool ApplyDialog(const QString &title, const QString &address, const QString &comment);

protected:
    // The address itself, when it has a known scheme.
    bool TitleFromValue() override;
};
