#include "addressdialog.h"

#include <QFormLayout>
#include <QLineEdit>

TEditAddressDlg::TEditAddressDlg(TAddressObject &address, bool isNew, const QStringList &categoryNames,
                                 QWidget *parent)
    : ItemDialog(address, categoryNames, tr("Address"), parent), m_address(address), m_isNew(isNew),
      m_title(makeTitleEdit(QStringLiteral("AddrTitle"), 40, address.Title())), m_fields(this)
{
    if (!isNew) {
        TAddressObject::DialogValues v;
        v.Lines = address.Lines();
        v.City = address.City();
        v.State = address.State();
        v.PostalCode = address.PostalCode();
        v.Country = address.Country();
        v.Comment = address.Comment();
        m_fields.show(v);
    }
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    m_fields.addRows(form, true);
    body()->addLayout(form);
}

bool TEditAddressDlg::apply()
{
    TAddressObject::DialogValues values = m_fields.values();
    values.Title = m_title->text();
    return m_address.ApplyDialog(values, m_isNew);
}
