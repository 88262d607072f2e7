#include "generator_database.h"
#include "generator_vcards.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

// mira_gen N FILE [--per-folder K]: writes a database of N persons to FILE.
// mira_gen N FILE --vcards: writes N generated cards to FILE instead.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args.at(2) == QLatin1String("--vcards")) {
        const int count = args.at(0).toInt();
        if (count <= 0 || !WriteGeneratedVCards(args.at(1), count)) {
            std::fprintf(stderr, "mira_gen: cannot write %d cards to %s\n", count, qPrintable(args.at(1)));
            return 1;
        }
        return 0;
    }
    GeneratorOptions options;
    bool ok = args.size() == 2 || (args.size() == 4 && args.at(2) == QLatin1String("--per-folder"));
    if (ok)
        options.persons = args.at(0).toInt(&ok);
    if (ok && args.size() == 4)
        options.personsPerFolder = args.at(3).toInt(&ok);
    if (!ok || options.persons < 0 || options.personsPerFolder < 0) {
        std::fprintf(stderr, "usage: mira_gen N FILE [--per-folder K]\n"
                             "       mira_gen N FILE --vcards\n"
                             "  writes a database of N persons, K to a folder (0: all in one folder)\n");
        return 2;
    }
    GeneratedCounts counts;
    if (!WriteGeneratedDatabaseFile(args.at(1), options, &counts)) {
        std::fprintf(stderr, "mira_gen: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    std::printf("%lld items, %lld bytes\n", static_cast<long long>(counts.items), static_cast<long long>(counts.bytes));
    return 0;
}
