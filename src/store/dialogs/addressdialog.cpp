#include "addressdialog.h"

#include "fieldwidgets.h"
#include "store/addressobject.h"

#include <QFormLayout>
#include <QLineEdit>

TEditAddressDlg::TEditAddressDlg(TAddressObject &address, bool isNew, const QStringList &categoryNames,
                                 QWidget *parent)
    : ItemDialog(address, categoryNames, tr("Address"), parent), m_address(address), m_isNew(isNew)
{
    m_title = makeEdit(QStringLiteral("AddrTitle"), 40, address.Title());
    m_street = new StreetMemo(120, this);
    m_street->setObjectName(QStringLiteral("Addr"));
    if (!isNew)
        m_street->setLines(address.Lines());
    m_city = makeEdit(QStringLiteral("City"), 25, isNew ? QString() : address.City());
    m_state = makeEdit(QStringLiteral("State"), 20, isNew ? QString() : address.State());
    m_postCode = makeEdit(QStringLiteral("PostCode"), 10, isNew ? QString() : address.PostalCode());
    m_country = makeEdit(QStringLiteral("Country"), 15, isNew ? QString() : address.Country());
    m_comment = makeEdit(QStringLiteral("AddrComment"), 255, isNew ? QString() : address.Comment());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Address:"), m_street);
    form->addRow(tr("C&ity:"), m_city);
    form->addRow(tr("&State/Province:"), m_state);
    form->addRow(tr("&Postal Code:"), m_postCode);
    form->addRow(tr("Co&untry:"), m_country);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
}

bool TEditAddressDlg::apply()
{
    TAddressObject::DialogValues values;
    values.Title = m_title->text();
    values.Lines = m_street->lines();
    values.City = m_city->text();
    values.State = m_state->text();
    values.PostalCode = m_postCode->text();
    values.Country = m_country->text();
    values.Comment = m_comment->text();
    return m_address.ApplyDialog(values, m_isNew);
}
