// The vCard import and the CSV export of the mira tool against abook's --convert, measured
// side by side in one run on the same 100,000 generated cards:
//   import   mira import of the cards into an empty data directory, the save included,
//            against abook --convert --informat vcard --outformat csv
//   csv      mira export --csv of the imported persons against
//            abook --convert --informat abook --outformat csv of the same contacts
// After a first round of each command that is not counted (the files and the memory the
// system hands out are as fresh for one program as for the other then), each runs five
// times, alternating; the best wall time and the peak resident memory of each are shown
// with the ratio mira / abook.
#include "generator_vcards.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

struct Run
{
    double seconds = 1e9;
    long peakKb = 0;
    bool ok = true;
};

// Runs a program with its arguments (no shell), its output thrown away.
Run runOnce(const QStringList &command)
{
    std::vector<QByteArray> args;
    for (const QString &a : command)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Run run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        run.ok = false;
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakKb = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void keepBest(Run &best, const Run &run)
{
    best.ok = best.ok && run.ok;
    if (run.seconds < best.seconds)
        best.seconds = run.seconds;
    best.peakKb = std::max(best.peakKb, run.peakKb);
}

void report(const char *what, const Run &mira, const Run &abook)
{
    std::printf("%-8s mira %7.3f s %7.1f MB   abook %7.3f s %7.1f MB   time ratio mira/abook %.2f%s\n", what,
                mira.seconds, mira.peakKb / 1024.0, abook.seconds, abook.peakKb / 1024.0, mira.seconds / abook.seconds,
                mira.ok && abook.ok ? "" : "   (a run failed)");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const int count = args.value(0, QStringLiteral("100000")).toInt();
    const QString mira = args.value(1, QDir(app.applicationDirPath()).filePath(QStringLiteral("../mira")));
    const QString abook = QStandardPaths::findExecutable(QStringLiteral("abook"));
    if (count <= 0 || !QFileInfo(mira).isExecutable() || abook.isEmpty()) {
        std::fprintf(stderr, "usage: mira_vcard_bench [COUNT [MIRA]]  (needs abook on PATH and the mira tool)\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString cards = dir.filePath(QStringLiteral("cards.vcf"));
    if (!WriteGeneratedVCards(cards, count)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(cards));
        return 1;
    }
    const QString columns = QStringLiteral("Title,First Name,Last Name,Address Line 1,City,State/Province,Postal Code,"
                                           "Country,Phone Number,E-Mail Address,Website");
    // abook's own file of the same contacts, for its CSV export.
    const QString abookFile = dir.filePath(QStringLiteral("contacts.abook"));
    runOnce({abook, "--convert", "--informat", "vcard", "--infile", cards, "--outformat", "abook", "--outfile", abookFile});

    Run miraImport, abookImport, miraCsv, abookCsv;
    constexpr int kWarmUp = 1;
    constexpr int kCounted = 5;
    for (int round = 0; round < kWarmUp + kCounted; ++round) {
        if (round == kWarmUp)
            miraImport = abookImport = miraCsv = abookCsv = Run();
        const QString home = dir.filePath(QStringLiteral("home%1").arg(round));
        QDir().mkpath(home);
        keepBest(miraImport, runOnce({mira, "--home", home, "import", cards}));
        keepBest(abookImport, runOnce({abook, "--convert", "--informat", "vcard", "--infile", cards, "--outformat",
                                       "csv", "--outfile", dir.filePath(QStringLiteral("abook%1.csv").arg(round))}));
        keepBest(miraCsv, runOnce({mira, "--home", home, "export", "My Contacts", "--csv",
                                   dir.filePath(QStringLiteral("mira%1.csv").arg(round)), "--kind", "person",
                                   "--columns", columns}));
        keepBest(abookCsv, runOnce({abook, "--convert", "--informat", "abook", "--infile", abookFile, "--outformat",
                                    "csv", "--outfile", dir.filePath(QStringLiteral("abook-csv%1.csv").arg(round))}));
    }
    std::printf("%d cards, %.1f MB\n", count, QFileInfo(cards).size() / 1048576.0);
    report("import", miraImport, abookImport);
    report("csv", miraCsv, abookCsv);
    return 0;
}
