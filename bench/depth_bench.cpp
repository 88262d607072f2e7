// Every walk over a chain of folders, one inside the other, at two depths. Counter:
//  per_item_ns   time per folder; the same at both depths when the walk is linear
//                (a walk that climbs to the top for each folder grows tenfold instead)
#include "exchange/miracli.h"
#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A data directory whose "mira.dat" is a chain of depth folders; made once per depth.
QString chainHome(int depth)
{
    static std::map<int, QString> made;
    auto it = made.find(depth);
    if (it != made.end())
        return it->second;
    const QString home = workDir().filePath(QStringLiteral("chain-%1").arg(depth));
    QDir().mkpath(home);
    QFile f(QDir(home).filePath(RecordFile::DatabaseName));
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    QByteArray block = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n";
    for (int level = 1; level <= depth; ++level) {
        block += '{' + QByteArray::number(level) + " 0 }F" + QByteArray::number(level) + "~~~~~~" +
                 QByteArray::number(level) + "\r\n{Fold}0\r\n";
        if (block.size() > (1 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
    return made.emplace(depth, home).first->second;
}

struct Tree
{
    TTreeNodes nodes;
    TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
};

std::unique_ptr<Tree> loaded(int depth)
{
    auto tree = std::make_unique<Tree>();
    LoadDatabaseFrom(tree->root, QDir(chainHome(depth)).filePath(RecordFile::DatabaseName),
                     RecordFile::OnLoadError::JustThrow);
    return tree;
}

void perFolder(benchmark::State &state, double seconds)
{
    state.counters["depth"] = double(state.range(0));
    state.counters["per_item_ns"] = seconds * 1e9 / double(state.range(0));
}

template <typename Step>
void timeEach(benchmark::State &state, Step step)
{
    double total = 0;
    for (auto _ : state) {
        const double s = step();
        state.SetIterationTime(s);
        total += s;
    }
    perFolder(state, total / double(state.iterations()));
}

double elapsed(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e9; }

void BM_DeepLoad(benchmark::State &state)
{
    const int depth = int(state.range(0));
    chainHome(depth);
    timeEach(state, [&] {
        auto tree = std::make_unique<Tree>();
        QElapsedTimer t;
        t.start();
        LoadDatabaseFrom(tree->root, QDir(chainHome(depth)).filePath(RecordFile::DatabaseName),
                         RecordFile::OnLoadError::JustThrow);
        return elapsed(t);
    });
}

void BM_DeepSave(benchmark::State &state)
{
    const auto tree = loaded(int(state.range(0)));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workDir().path());
    timeEach(state, [&] {
        QElapsedTimer t;
        t.start();
        SaveDatabase(tree->nodes);
        return elapsed(t);
    });
    QDir::setCurrent(previous);
}

void BM_DeepEnd(benchmark::State &state)
{
    const int depth = int(state.range(0));
    timeEach(state, [&] {
        auto tree = loaded(depth);
        QElapsedTimer t;
        t.start();
        tree.reset();
        return elapsed(t);
    });
}

// The tool's own commands, load included.
void cli(benchmark::State &state, const QStringList &command)
{
    const QString home = chainHome(int(state.range(0)));
    const QString previous = QDir::currentPath();
    timeEach(state, [&] {
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        QElapsedTimer t;
        t.start();
        if (RunMiraCli(QStringList{QStringLiteral("--home"), home} + command, o, e) != 0)
            state.SkipWithError(qPrintable(err));
        return elapsed(t);
    });
    QDir::setCurrent(previous);
}

void BM_DeepFind(benchmark::State &state)
{
    cli(state, {QStringLiteral("find"), QStringLiteral("f%1").arg(state.range(0))});
}

void BM_DeepExport(benchmark::State &state)
{
    cli(state, {QStringLiteral("export"), QStringLiteral("F1"), QStringLiteral("--mbd"),
                workDir().filePath(QStringLiteral("deep.mbd"))});
}

} // namespace

BENCHMARK(BM_DeepLoad)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepSave)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepEnd)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepFind)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepExport)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
