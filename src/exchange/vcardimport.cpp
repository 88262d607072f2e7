#include "vcardimport.h"

#include "vcarditems.h"

#include "store/itemfactory.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/treenodes.h"

#include <QFileInfo>
#include <QScopeGuard>

VCardImportNotes ImportVCardFile(TTreeNode *target, const QString &fileName, const VCardOrgQuestion &ask)
{
    if (!QFileInfo::exists(fileName))
        return {};
    TVCardFile file;
    file.Filename = fileName;
    file.LoadFromFile();
    return ImportVCards(target, file, ask);
}

VCardImportNotes ImportVCards(TTreeNode *target, TVCardFile &file, const VCardOrgQuestion &ask)
{
    VCardImportNotes notes;
    notes.read = file.Notes();
    if (const TZEBObject *owner = target->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
    std::vector<VCardImportAs> kinds;
    kinds.reserve(size_t(file.Count()));
    for (int i = 0; i < file.Count(); ++i) {
        const TCard &card = file.Cards(i);
        const QString organization = CardOrganization(card);
        kinds.push_back(card.FindProperty(u"ORG") && ask ? ask(CardDisplayName(card), organization)
                                                         : VCardImportAs::Person);
    }
    // The views hear of the new items once, when all of them are there.
    TTreeNodes *nodes = target->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    for (int i = 0; i < file.Count(); ++i) {
        if (kinds[size_t(i)] == VCardImportAs::Organization) {
            auto *org = static_cast<TOrgObject *>(CreateItem(ItemKind::Organization, {}, {}, {}, target, {}, 0));
            ReadVCard(*org, file.Cards(i));
            ++notes.organizations;
        } else {
            auto *person = static_cast<TPersonObject *>(CreateItem(ItemKind::Person, {}, {}, {}, target, {}, 0));
            ReadVCard(*person, file.Cards(i));
            ++notes.persons;
        }
    }
    return notes;
}
