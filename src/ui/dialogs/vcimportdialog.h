#pragma once

#include "exchange/vcardimport.h"

#include <QDialog>

class QLabel;

// Asks how a card that names an organization is imported: as a person (the default
// button) or as an organization. Closing it any other way makes a person.
class TVCImportDlg : public QDialog
{
    Q_OBJECT
public:
    TVCImportDlg(const QString &name, const QString &organization, QWidget *parent = nullptr);

    QLabel *nameLabel() const { return m_name; }
    QLabel *organizationLabel() const { return m_organization; }

private:
    QLabel *m_name;
    QLabel *m_organization;
};

// Shows the dialog for one card and tells its answer.
VCardImportAs AskVCardImport(const QString &name, const QString &organization, QWidget *parent);
