#pragma once

#include "vcardfile.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

class TTreeNode;

// How a card that names an organization is imported; the user is asked (the desktop
// program's "vCard Import" dialog, the mira tool's --orgs).
enum class VCardImportAs { Person, Organization };
using VCardOrgQuestion = std::function<VCardImportAs(const QString &name, const QString &organization)>;

// What an import read and made.
struct VCardImportNotes
{
    VCardReadNotes read;
    int persons = 0;
    int organizations = 0;
};

// The cards of a file made into records of persons and organizations, ready to be placed.
struct PreparedVCards
{
    // In pieces of whole cards (one for each piece of the file read on its own thread,
    // so that none is copied into another), placed one after the other.
    std::vector<QByteArray> records;
    VCardImportNotes notes;
};
// Reads a card file and maps each card: one with ORG as the question answers, every other
// one a person. Every question is asked here, before anything is made. A file that is not
// there gives nothing; one that cannot be read raises EInOutError.
PreparedVCards PrepareVCardImport(const QString &fileName, const VCardOrgQuestion &ask);
// The same for the bytes of a file, read in up to parts pieces on as many threads; the
// result does not depend on how many.
PreparedVCards PrepareVCards(QByteArray bytes, const VCardOrgQuestion &ask, int parts);
// The same with every card that names an organization imported as orgs.
PreparedVCards PrepareVCards(QByteArray bytes, VCardImportAs orgs, int parts);
// Places prepared records in the target folder. Raises ERemoteParent in a read-only folder.
void PlaceVCardImport(TTreeNode *target, const PreparedVCards &prepared);

// For the mira tool, which saves nothing when an import fails: reads a card file (where the
// system keeps it, for the moments the reading takes) and places every card below target
// (one that names an organization as orgs) as soon as the ones before it are placed, so
// that placing goes on while the rest is read. Records as the two steps above make them.
// The notes tell, as theirs do, when the file could not be read whole (unreadable cards,
// too many); cards may have been placed nonetheless. Raises what they raise, then too with
// cards placed already.
VCardImportNotes PlaceVCardsAsRead(TTreeNode *target, const QString &fileName, VCardImportAs orgs);
// The same for the bytes of a file cut into up to pieces pieces.
VCardImportNotes PlaceVCardsAsRead(TTreeNode *target, QByteArray bytes, VCardImportAs orgs, int pieces);

// The import routine: the two steps above, the target checked first.
VCardImportNotes ImportVCardFile(TTreeNode *target, const QString &fileName, const VCardOrgQuestion &ask);
