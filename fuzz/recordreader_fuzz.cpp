// The record reader on any bytes. What it accepts must save, read back and save again
// to the same bytes, both with the leaf records written as they were read and with
// them made into items first. Anything else aborts, with the three texts on stderr.
#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Tree
{
    TTreeNodes nodes;
    TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
};

enum class Leaves { AsRead, Made };

// False when the reader refuses the bytes (a header that is no numbers).
bool read(const QByteArray &bytes, qsizetype from, Tree &tree, Leaves leaves)
{
    try {
        ReadItems(bytes, from, 1, tree.root);
    } catch (const EInOutError &) {
        return false;
    }
    if (leaves == Leaves::Made)
        for (TTreeNode *n = tree.root; n; n = n->NextPreorder())
            n->Item()->ChildCount();
    return true;
}

QByteArray save(Tree &tree)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordSink sink(&buffer);
    sink.Line(ParamsLine());
    WriteTree(tree.nodes, sink);
    sink.Flush();
    return buffer.data();
}

[[noreturn]] void fail(const char *what, const QByteArray &input, const QByteArray &saved, const QByteArray &again)
{
    std::fprintf(stderr, "%s\n--- input\n%s\n--- saved\n%s\n--- saved again\n%s\n", what, input.constData(),
                 saved.constData(), again.constData());
    std::abort();
}

void roundTrip(const QByteArray &input, Leaves leaves)
{
    Tree first;
    if (!read(input, 0, first, leaves))
        return;
    const QByteArray saved = save(first);
    Tree second;
    if (!read(saved, ParamsLine().size() + 2, second, leaves))
        fail("the saved file does not read back", input, saved, {});
    const QByteArray again = save(second);
    if (again != saved)
        fail("the file saved again differs", input, saved, again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    roundTrip(input, Leaves::AsRead);
    roundTrip(input, Leaves::Made);
    return 0;
}
