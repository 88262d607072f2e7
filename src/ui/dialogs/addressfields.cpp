#include "addressfields.h"

#include "fieldwidgets.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {
constexpr int StreetLimit = 120, CityLimit = 25, StateLimit = 20, PostCodeLimit = 10, CountryLimit = 15,
              CommentLimit = 255;
}

AddressFields::AddressFields(QWidget *parent)
    : street(new StreetMemo(StreetLimit, parent)), city(MakeLimitedEdit(QStringLiteral("City"), CityLimit, parent)),
      state(MakeLimitedEdit(QStringLiteral("State"), StateLimit, parent)),
      postCode(MakeLimitedEdit(QStringLiteral("PostCode"), PostCodeLimit, parent)),
      country(MakeLimitedEdit(QStringLiteral("Country"), CountryLimit, parent)),
      comment(MakeLimitedEdit(QStringLiteral("AddrComment"), CommentLimit, parent))
{
    street->setObjectName(QStringLiteral("Addr"));
}

void AddressFields::addRows(QFormLayout *form, bool withShortcuts) const
{
    const auto label = [withShortcuts](const char *text) {
        QString s = QObject::tr(text);
        return withShortcuts ? s : s.remove(u'&');
    };
    form->addRow(label("&Address:"), street);
    form->addRow(label("C&ity:"), city);
    form->addRow(label("&State/Province:"), state);
    form->addRow(label("&Postal Code:"), postCode);
    form->addRow(label("Co&untry:"), country);
    form->addRow(label("Co&mment:"), comment);
}

void AddressFields::show(const TAddressObject::DialogValues &v)
{
    street->setLines(v.Lines);
    SetLimitedText(city, CityLimit, v.City);
    SetLimitedText(state, StateLimit, v.State);
    SetLimitedText(postCode, PostCodeLimit, v.PostalCode);
    SetLimitedText(country, CountryLimit, v.Country);
    SetLimitedText(comment, CommentLimit, v.Comment);
}

TAddressObject::DialogValues AddressFields::values() const
{
    TAddressObject::DialogValues v;
    v.Lines = street->lines();
    v.City = city->text();
    v.State = state->text();
    v.PostalCode = postCode->text();
    v.Country = country->text();
    v.Comment = comment->text();
    return v;
}
