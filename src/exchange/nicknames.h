#pragma once

#include "importtext.h"

#include <QString>
#include <QStringList>

class TTreeNode;

// The words of a nickname line: blanks and commas separate, a part in double quotes stays
// whole (doubled quotes inside stand for one).
QStringList SplitNicknameWords(const QString &line);

// A mail program's nickname file ("nndbase.txt"): "alias NICK ADDRESS..." lines become
// e-mail items (the first word with an at sign, without its angle brackets, is the address)
// in a folder "Eudora Addresses" under parent; "note NICK TEXT" lines give the comment of
// that nickname's item. A missing file does nothing.
ImportNotes ImportNicknameFile(TTreeNode *parent, const QString &fileName);
