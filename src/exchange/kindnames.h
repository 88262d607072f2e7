#pragma once

#include "store/kinds.h"

#include <QString>
#include <optional>

// Words for the kind codes, as the command-line tool shows and reads them.
QString KindWord(ItemKind kind);
// A kind code given as a number (0 to 12) or a word ("person", "e-mail", ...).
std::optional<ItemKind> KindFromText(const QString &text);
