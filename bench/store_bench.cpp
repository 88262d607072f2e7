// Load, save and walk of generated databases. Counters:
//  items_per_s     items read, written or visited per second
//  per_item_ns     time per item (compare 10,000 with 100,000 persons: no worse than linear)
//  wc_ratio        load time / time of `wc -l` on the same file, measured in the same run
//  peak_rss_mb     peak resident memory of the process during the loads
//  rss_per_file    that peak / the file's size
#include "generator_database.h"

#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/treesearch.h"
#include "store/wordstart.h"
#include "store/zebobject.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

struct Generated
{
    QString file;
    qint64 items = 0;
    qint64 bytes = 0;
    double wcSeconds = 0;
};

double timeWc(const QString &file)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess wc;
        wc.start(QStringLiteral("wc"), {QStringLiteral("-l"), file});
        wc.waitForFinished(-1);
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    return best;
}

// One generated file per shape, made on first use.
const Generated &database(int persons, int perFolder)
{
    static std::map<std::pair<int, int>, Generated> made;
    auto key = std::make_pair(persons, perFolder);
    auto it = made.find(key);
    if (it != made.end())
        return it->second;
    Generated g;
    g.file = workDir().filePath(QStringLiteral("gen-%1-%2.dat").arg(persons).arg(perFolder));
    GeneratorOptions options;
    options.persons = persons;
    options.personsPerFolder = perFolder;
    GeneratedCounts counts;
    if (!WriteGeneratedDatabaseFile(g.file, options, &counts))
        qFatal("cannot write %s", qPrintable(g.file));
    g.items = counts.items;
    g.bytes = counts.bytes;
    timeWc(g.file); // warm the page cache
    g.wcSeconds = timeWc(g.file);
    return made.emplace(key, g).first->second;
}

struct Tree
{
    Tree()
    {
        root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
    }
    TTreeNodes nodes;
    TTreeNode *root;
};

std::unique_ptr<Tree> loaded(const Generated &g)
{
    auto tree = std::make_unique<Tree>();
    LoadDatabaseFrom(tree->root, g.file, RecordFile::OnLoadError::JustThrow);
    return tree;
}

// Starts a new peak of resident memory, so each load's own peak is seen (Linux 4.0 on).
void resetPeakRss()
{
    malloc_trim(0); // what earlier runs freed goes back to the system first

    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double peakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

void setCounters(benchmark::State &state, const Generated &g, double seconds)
{
    state.counters["items"] = double(g.items);
    state.counters["file_mb"] = g.bytes / 1e6;
    state.counters["items_per_s"] = benchmark::Counter(double(g.items), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["per_item_ns"] = seconds * 1e9 / double(g.items);
}

void BM_Load(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    double total = 0;
    double best = 1e9;
    resetPeakRss();
    loaded(g).reset(); // the first load of a process is BM_LoadFreshProcess's; these run as a reload does
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        auto tree = loaded(g);
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
        best = std::min(best, s);
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    setCounters(state, g, total / double(state.iterations()));
    // The fastest load against the fastest of three `wc -l`: both as free of other work as they got.
    state.counters["best_s"] = best;
    state.counters["wc_s"] = g.wcSeconds;
    state.counters["wc_ratio"] = best / g.wcSeconds;
    state.counters["peak_rss_mb"] = peakRssMb();
    state.counters["rss_per_file"] = peakRssMb() * 1024 * 1024 / double(g.bytes);
}

// The first load of a program that just started: the heap is new, so every page the
// tree takes is given to the process as it grows (later loads reuse freed memory).
void BM_LoadFreshProcess(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    double total = 0;
    double best = 1e9;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load-once"), g.file});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            state.SkipWithError("the loading process failed");
            return;
        }
        const double s = child.readAllStandardOutput().trimmed().toDouble() / 1e9;
        state.SetIterationTime(s);
        total += s;
        best = std::min(best, s);
    }
    setCounters(state, g, total / double(state.iterations()));
    state.counters["best_s"] = best;
    state.counters["wc_ratio"] = best / g.wcSeconds;
}

void BM_Save(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    auto tree = loaded(g);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workDir().path());
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        SaveDatabase(tree->nodes);
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
    }
    QDir::setCurrent(previous);
    setCounters(state, g, total / double(state.iterations()));
    state.counters["saved_mb"] = QFileInfo(workDir().filePath(RecordFile::DatabaseName)).size() / 1e6;
}

// Title search as the find command does it: every container's title and, through
// FindChildByWord, its leaf items.
qint64 walk(TTreeNode *root, const QString &prefix)
{
    qint64 hits = 0;
    for (TTreeNode *n = root; n; n = n->NextPreorder()) {
        const TZEBObject *item = n->Item();
        const QString lower = item->Title().toLower();
        if (lower.startsWith(prefix) || lower.contains(u' ' + prefix))
            ++hits;
        if (item->FindChildByWord(prefix))
            ++hits;
    }
    return hits;
}

// Makes every leaf item a load left as its record: what the first full walk (a find,
// a caller's number) pays once.
void BM_MakeLeaves(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = loaded(g);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        qint64 made = 0;
        for (TTreeNode *n = tree->root; n; n = n->NextPreorder())
            made += n->Item()->ChildCount();
        benchmark::DoNotOptimize(made);
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    setCounters(state, g, total / double(state.iterations()));
}

void BM_Walk(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    auto tree = loaded(g);
    qint64 hits = walk(tree->root, QStringLiteral("birthday")); // makes the leaf items first
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        hits = walk(tree->root, QStringLiteral("birthday"));
        benchmark::DoNotOptimize(hits);
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
    }
    setCounters(state, g, total / double(state.iterations()));
    state.counters["hits"] = double(hits);
}

qint64 pendingOwners(TTreeNode *root)
{
    qint64 n = 0;
    for (TTreeNode *node = root; node; node = node->NextPreorder())
        n += node->Item()->Pending() ? 1 : 0;
    return n;
}

// The main window's find with no hit: every node's title and every leaf's, round the whole
// tree, on a tree just loaded (its leaves still waiting in the file).
void BM_FindNoHit(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    const WordStart key(QStringLiteral("zqxj"));
    double total = 0;
    double loadPeak = 0;
    double findPeak = 0;
    qint64 waitingBefore = 0;
    qint64 waitingAfter = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakRss();
        auto tree = loaded(g);
        loadPeak = std::max(loadPeak, peakRssMb());
        waitingBefore = pendingOwners(tree->root);
        resetPeakRss();
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        const TitleHit hit = LocateTitle(tree->nodes, tree->root, key);
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
        if (hit.node)
            state.SkipWithError("a hit where none is");
        state.PauseTiming();
        findPeak = std::max(findPeak, peakRssMb());
        waitingAfter = pendingOwners(tree->root);
        tree.reset();
        state.ResumeTiming();
    }
    setCounters(state, g, total / double(state.iterations()));
    state.counters["load_peak_mb"] = loadPeak;
    state.counters["find_peak_mb"] = findPeak;
    state.counters["waiting_before"] = double(waitingBefore);
    state.counters["waiting_after"] = double(waitingAfter);
}

// `mira find` with no hit over the same database, start to exit, against a load in a
// fresh process measured in the same run.
void BM_MiraFindProcess(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), int(state.range(1)));
    const QString home = workDir().filePath(QStringLiteral("home-%1").arg(state.range(0)));
    QDir().mkpath(home);
    QFile::remove(QDir(home).filePath(RecordFile::DatabaseName));
    if (!QFile::link(g.file, QDir(home).filePath(RecordFile::DatabaseName))) {
        state.SkipWithError("cannot link the database");
        return;
    }
    const auto runOnce = [](const QString &program, const QStringList &args, int expected) {
        QElapsedTimer t;
        t.start();
        QProcess child;
        child.start(program, args);
        if (!child.waitForFinished(-1) || child.exitCode() != expected)
            return -1.0;
        return t.nsecsElapsed() / 1e9;
    };
    double bestLoad = 1e9;
    for (int i = 0; i < 3; ++i)
        bestLoad = std::min(bestLoad, runOnce(QCoreApplication::applicationFilePath(), {QStringLiteral("--load-once"), g.file}, 0));
    double best = 1e9;
    double total = 0;
    for (auto _ : state) {
        const double s = runOnce(QStringLiteral(MIRA_BIN), {QStringLiteral("--home"), home, QStringLiteral("find"), QStringLiteral("zqxj")}, 1);
        if (s < 0) {
            state.SkipWithError("mira find failed");
            return;
        }
        state.SetIterationTime(s);
        total += s;
        best = std::min(best, s);
    }
    setCounters(state, g, total / double(state.iterations()));
    state.counters["best_s"] = best;
    state.counters["fresh_load_process_s"] = bestLoad;
    state.counters["load_ratio"] = best / bestLoad;
}

// Renames every child of the wide folder so the order turns round, then sorts once.
void BM_SortWide(benchmark::State &state)
{
    const Generated &g = database(int(state.range(0)), 0);
    auto tree = loaded(g);
    TTreeNode *wide = tree->root->Child(0);
    const int n = wide->Count();
    int round = 0;
    double total = 0;
    for (auto _ : state) {
        ++round;
        QElapsedTimer t;
        t.start();
        tree->nodes.BeginUpdate();
        std::vector<TZEBObject *> items;
        items.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            items.push_back(wide->Child(i)->Item());
        for (int i = 0; i < n; ++i)
            items[size_t(i)]->SetTitle(QStringLiteral("R%1 %2").arg(round).arg(n - i, 8, 10, QLatin1Char('0')));
        tree->nodes.EndUpdate();
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
    }
    state.counters["children"] = n;
    state.counters["per_child_ns"] = total / double(state.iterations()) * 1e9 / n;
}

} // namespace

BENCHMARK(BM_Load)->Args({10000, 500})->Args({100000, 500})->Args({50000, 0})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFreshProcess)->Args({100000, 500})->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Args({10000, 500})->Args({100000, 500})->Args({50000, 0})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeLeaves)->Args({10000, 500})->Args({100000, 500})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Walk)->Args({10000, 500})->Args({100000, 500})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNoHit)->Args({100000, 500})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MiraFindProcess)->Args({100000, 500})->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortWide)->Arg(5000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--load-once") == 0) {
        // Prints the nanoseconds one load of the file took in this new process.
        Tree tree;
        QElapsedTimer t;
        t.start();
        LoadDatabaseFrom(tree.root, QString::fromLocal8Bit(argv[2]), RecordFile::OnLoadError::JustThrow);
        std::printf("%lld\n", static_cast<long long>(t.nsecsElapsed()));
        std::fflush(stdout);
        std::_Exit(0); // the tree's teardown is not part of it
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
