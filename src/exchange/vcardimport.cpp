#include "vcardimport.h"

#include "vcardrecords.h"

#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>

namespace {

void refuseReadOnly(TTreeNode *target)
{
    if (const TZEBObject *owner = target->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
}

} // namespace

PreparedVCards PrepareVCardImport(const QString &fileName, const VCardOrgQuestion &ask)
{
    PreparedVCards prepared;
    if (!QFileInfo::exists(fileName))
        return prepared;
    const QByteArray bytes = ReadVCardFile(fileName);
    QString records;
    // Records take about what the cards took; growing a long text is copying it.
    records.reserve(bytes.size() + bytes.size() / 4);
    VCardImportNotes &notes = prepared.notes;
    ReadVCards(bytes, notes.read, [&](TCard &card) {
        VCardImportAs as = VCardImportAs::Person;
        if (card.FindProperty(u"ORG") && ask)
            as = ask(CardDisplayName(card), CardOrganization(card));
        AppendCardRecords(records, card, as, 1);
        ++(as == VCardImportAs::Organization ? notes.organizations : notes.persons);
    });
    prepared.records = records.toUtf8();
    return prepared;
}

void PlaceVCardImport(TTreeNode *target, const PreparedVCards &prepared)
{
    refuseReadOnly(target);
    if (!prepared.records.isEmpty())
        ReadItems(prepared.records, 0, 1, target);
}

VCardImportNotes ImportVCardFile(TTreeNode *target, const QString &fileName, const VCardOrgQuestion &ask)
{
    refuseReadOnly(target);
    const PreparedVCards prepared = PrepareVCardImport(fileName, ask);
    PlaceVCardImport(target, prepared);
    return prepared.notes;
}
