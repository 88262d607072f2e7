#include "clivcard.h"

#include "clicommands.h"
#include "miracli.h"
#include "vcarditems.h"

#include "store/errorreport.h"

#include <QTextStream>

bool IsVCardFileName(const QString &fileName) { return fileName.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive); }

int ReadOrgsOption(const CliContext &c, const QString &word, VCardImportAs &as)
{
    if (word == QLatin1String("person"))
        as = VCardImportAs::Person;
    else if (word == QLatin1String("org"))
        as = VCardImportAs::Organization;
    else
        return c.fail(CliExit::BadInput, QStringLiteral("--orgs takes person or org, not \"%1\"").arg(word));
    return CliExit::Ok;
}

int ImportCards(const CliContext &c, const QString &file, VCardImportAs orgs, TTreeNode *target, int &made)
{
    VCardImportNotes cards;
    try {
        cards = PlaceVCardsAsRead(target, c.absolute(file), orgs);
    } catch (const std::exception &e) {
        return c.fail(CliExit::BadInput, QStringLiteral("%1; nothing was imported").arg(ErrorText(e)));
    }
    const VCardReadNotes &notes = cards.read;
    if (notes.unreadable > 0 || notes.tooMany)
        return c.fail(CliExit::BadInput, QStringLiteral("%1: %2; nothing was imported").arg(file, VCardShortfall(notes)));
    made = cards.persons + cards.organizations;
    if (made == 0)
        return c.fail(CliExit::BadInput, QStringLiteral("%1: no card to import%2")
                                             .arg(file, notes.empty > 0 ? QStringLiteral(" (") + VCardShortfall(notes) +
                                                                              QStringLiteral(")")
                                                                        : QString()));
    if (notes.empty > 0)
        c.err << "mira: warning: " << file << ": " << VCardShortfall(notes) << "\n";
    return CliExit::Ok;
}

int ExportVCards(const CliContext &c, TTreeNode *node, const QString &target, const QString &file)
{
    int written = 0;
    try {
        written = WriteVCardSubtree(node, target);
    } catch (const std::exception &e) {
        return c.fail(CliExit::Failed, QStringLiteral("cannot write %1: %2").arg(file, ErrorText(e)));
    }
    if (written == 0)
        return c.fail(CliExit::BadInput, QStringLiteral("no person or organization there; nothing was exported"));
    return CliExit::Ok;
}
