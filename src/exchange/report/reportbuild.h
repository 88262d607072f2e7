#pragma once

#include "reportoptions.h"
#include "reportpage.h"

#include <QDate>
#include <QLocale>

class TTreeNode;

// Lays out the report the options ask for over node and everything below it. Dates are
// shown in the locale's short format; the address book is sorted in its collation.
ReportDocument BuildReport(TTreeNode *node, const ReportOptions &options, const TextMeasure &measure,
                           const QLocale &locale, const QDate &today);
