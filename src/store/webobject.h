#pragma once

#include "zebobject.h"

// A website (kind 4): a container item with its own node; Value is the address with
// its scheme. Its action opens the address in the web browser.
class TWebObject : public TZEBObject
{
public:
    TWebObject(int kind, const QString &title, const QString &value, const QString &comment, qint32 id,
               const QString &dataLine);

    void LoadFields(const QString &dataLine) override;
    QString GetRecordText(int level) const override;
    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    bool ImportFields(const QStringList &values, const QStringList &names) override;
    QString GetFieldCSV(const QString &name) const override;
    void Open() override;
    void Edit() override;
    void Browse() override;
    bool InHTMLIndex() const override;
    QString GetVCardLine() const override;

    // What the website dialog's OK does: needs an address with a known scheme
    // (HasURLScheme); the title may be empty. Anything else is refused silently.
    bool ApplyDialog(const QString &title, const QString &address, const QString &comment);
};
