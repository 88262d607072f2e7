#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class QCollator;
class TAddressObject;
class TTreeNode;
class TZEBObject;

// What each report prints, gathered from a node and everything below it in tree order,
// without the items the category filter hides.

// An address as printed: each street line that has text, then the city and state joined
// by ", " and the postal code and country joined by " ", each part only when it has text.
QStringList PostalLines(const TAddressObject &address);
// An envelope's delivery box: the name, then the postal lines.
QStringList DeliveryLines(const QString &name, const TAddressObject *address);
// The envelope's delivery box for a container and, when one is chosen, one of its address
// items: that address under the container's name; else a person's or organization's primary
// address, or the container's first address; a person or organization without one gets
// its name alone, any other container nothing.
QStringList DeliveryFor(const TZEBObject &container, const TZEBObject *chosenAddress = nullptr);
// A person's or organization's primary address, or none.
const TAddressObject *PrimaryAddressOf(const TZEBObject &item);
// The name a person is addressed by: the full name without stray blanks, else its title.
QString AddresseeName(const TZEBObject &item);

struct ListingRow
{
    QString contact;
    QStringList address;
    QString phone, fax, email, url;
};
std::vector<ListingRow> ListingRows(TTreeNode *node);

// One label's lines.
std::vector<QStringList> LabelTexts(TTreeNode *node);

struct AddressBookEntry
{
    // The letter of the group, upper case; a header shows it where the group starts.
    QString group;
    QString name;
    QString phone;
    QStringList address;
};
// Entries grouped by the case-folded first letter of their names, the groups and the names
// within a group in the collator's order. A person is filed by last name, then first and
// middle name; one without a last name by the names it has, else by its title.
std::vector<AddressBookEntry> AddressBookEntries(TTreeNode *node, const QCollator &collator);

struct SimpleRow
{
    QString title, target, comment;
};
std::vector<SimpleRow> SimpleRows(TTreeNode *node);

struct ReminderRow
{
    QDate date;
    QString reminder, contact, comment;
};
// The reminders dated from from to to (whole days), by date.
std::vector<ReminderRow> ReminderRows(TTreeNode *node, const QDate &from, const QDate &to);
