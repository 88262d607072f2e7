#pragma once

#include "vcardimport.h"

#include <QString>

struct CliContext;
class TTreeNode;

// A card file's name ends in ".vcf", in any case.
bool IsVCardFileName(const QString &fileName);

// "--orgs person|org": how cards that name an organization are imported. A status
// other than Ok (after the message) for any other word.
int ReadOrgsOption(const CliContext &c, const QString &word, VCardImportAs &as);

// Places the cards of file below target as they are read. A file with cards that could
// not be read, or with none, is refused with its reason (bad input): the caller then saves
// nothing, so that an import takes all of a file or nothing. Cards that hold nothing to
// import are only mentioned. made is the number of persons and organizations placed.
int ImportCards(const CliContext &c, const QString &file, VCardImportAs orgs, TTreeNode *target, int &made);

// Writes the person or organization PATH names as one card, or every person and
// organization below the container as one card each. Nothing is written when there is none.
int ExportVCards(const CliContext &c, TTreeNode *node, const QString &target, const QString &file);
