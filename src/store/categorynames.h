#pragma once

#include "platform/programsettings.h"

#include <QStringList>

class Profile;

// There are exactly 32 categories; category n is bit n - 1 of an item's Categories.
using Settings::CategoryCount;
using Settings::DefaultCategoryName;

// The 32 names from section "Categories" of the settings file, keys "Cat1" to
// "Cat32"; a missing name, or one of blanks only, is "User Defined " and the number.
QStringList ReadCategoryNames(const Profile &settings);

// Bit of category n (1 to 32) in a Categories set.
qint32 CategoryBit(int n);
bool HasCategory(qint32 categories, int n);
