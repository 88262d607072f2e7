#pragma once

#include "vcardfile.h"

#include <QString>
#include <functional>

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

// Reads a card file and makes a person or an organization of each card in the target
// folder: a card with ORG as the question answers, every other one a person. All
// questions are asked before the first item is made. A file that is not there imports
// nothing; one that cannot be read raises EInOutError, a read-only target ERemoteParent,
// both before anything is made.
VCardImportNotes ImportVCardFile(TTreeNode *target, const QString &fileName, const VCardOrgQuestion &ask);
// The same for cards already read; their properties are used up.
VCardImportNotes ImportVCards(TTreeNode *target, TVCardFile &file, const VCardOrgQuestion &ask);
