#include "vcardimport.h"

#include "vcardrecords.h"
#include "vcardtext.h"
#include "vcardvalues.h"

#include "store/heapahead.h"
#include "store/recordfile.h"
#include "store/recordsource.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace {

void refuseReadOnly(TTreeNode *target)
{
    if (const TZEBObject *owner = target->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
}

// Files smaller than this are read on one thread: starting another would cost more.
constexpr qsizetype kPartBytes = 1 << 20;

// What was made of one piece of a file. Cards that name an organization wait for the
// question, which is asked in the order of the cards, on the caller's thread.
struct Part
{
    QByteArrayView text;
    VCardReadNotes notes;
    int lines = 0;
    int persons = 0;
    int organizations = 0;
    CardRecords records;
    struct Waiting
    {
        size_t before; // cards of records that come before it
        TCard card;
    };
    std::vector<Waiting> waiting;
    std::exception_ptr failed;

    // Without asking, cards that name an organization are imported as orgs.
    void Read(bool asking, VCardImportAs orgs)
    {
        try {
            // Records take somewhat less than twice what the cards took.
            records.Reserve(text.size() * 2);
            lines = ReadVCardText(text, notes, [&](CardValues &card) {
                VCardImportAs as = VCardImportAs::Person;
                if (card.Find(VCardName::ORG)) {
                    if (asking) {
                        // Kept beyond the text it was read from.
                        waiting.push_back({records.CardCount(), card.ToCard()});
                        return;
                    }
                    as = orgs;
                }
                AppendCardRecords(records, card, as, 1);
                ++(as == VCardImportAs::Organization ? organizations : persons);
            });
        } catch (...) {
            failed = std::current_exception();
        }
    }
    int Cards() const { return int(records.CardCount() + waiting.size()) + notes.unreadable + notes.empty; }
};

// The text in pieces that read one after the other are the whole.
std::vector<QByteArrayView> cutIntoParts(QByteArrayView text, int parts)
{
    std::vector<QByteArrayView> pieces;
    qsizetype start = 0;
    for (int i = 1; i < parts; ++i) {
        const qsizetype cut = VCardCutAfter(text, std::max(start, text.size() * i / parts));
        if (cut <= start)
            break;
        pieces.push_back(text.sliced(start, cut - start));
        start = cut;
    }
    pieces.push_back(text.sliced(start));
    return pieces;
}

// Reads the pieces on this thread and one other, and hands each read piece to take on this
// thread in the order of the text, as soon as it and every one before it are read; this
// thread reads only while the next piece to take is not ready. take returns false to stop:
// pieces not yet begun are then not read.
void readInTurn(const std::vector<QByteArrayView> &pieces, bool asking, VCardImportAs orgs,
                const std::function<bool(Part &)> &take)
{
    const size_t count = pieces.size();
    std::vector<Part> parts(count);
    for (size_t i = 0; i < count; ++i)
        parts[i].text = pieces[i];
    std::mutex mutex;
    std::condition_variable readyChanged;
    std::vector<char> ready(count, 0); // guarded by mutex
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    const auto claim = [&] { return stop.load() ? count : std::min(next.fetch_add(1), count); };
    const auto read = [&](size_t i) {
        parts[i].Read(asking, orgs);
        {
            const std::lock_guard lock(mutex);
            ready[i] = 1;
        }
        readyChanged.notify_all();
    };
    std::thread other;
    // The other thread is stopped and waited for however this one leaves.
    const auto joinOther = qScopeGuard([&] {
        stop = true;
        if (other.joinable())
            other.join();
    });
    if (count > 1)
        other = std::thread([&] {
            for (size_t i = claim(); i < count; i = claim())
                read(i);
        });
    for (size_t taken = 0; taken < count;) {
        bool isReady = false;
        {
            const std::lock_guard lock(mutex);
            isReady = ready[taken] != 0;
        }
        if (isReady) {
            if (!take(parts[taken]))
                return;
            parts[taken] = Part(); // its records are placed or moved on: the room is given back
            ++taken;
        } else if (const size_t i = claim(); i < count) {
            read(i);
        } else {
            std::unique_lock lock(mutex);
            readyChanged.wait(lock, [&] { return ready[taken] != 0; });
        }
    }
}

void addNotes(VCardReadNotes &total, const VCardReadNotes &part, int linesBefore)
{
    if (total.unreadable == 0 && part.unreadable > 0)
        total.firstUnreadableLine = part.firstUnreadableLine + linesBefore;
    total.unreadable += part.unreadable;
    total.empty += part.empty;
    total.unended += part.unended;
    total.tooMany = total.tooMany || part.tooMany;
}

// Adds what part read to notes; linesBefore counts the lines of the parts before it.
void tally(VCardImportNotes &notes, const Part &part, int &linesBefore)
{
    addNotes(notes.read, part.notes, linesBefore);
    linesBefore += part.lines;
    notes.persons += part.persons;
    notes.organizations += part.organizations;
}

} // namespace

namespace {

// Cards that name an organization are imported as ask answers, else as orgs.
PreparedVCards prepare(QByteArray bytes, const VCardOrgQuestion &ask, VCardImportAs orgs, int parts)
{
    QByteArray text = VCardBytesAsUtf8(bytes);
    std::vector<Part> read;
    readInTurn(cutIntoParts(text, std::max(parts, 1)), bool(ask), orgs, [&read](Part &part) {
        read.push_back(std::move(part));
        return true;
    });
    int cards = 0;
    for (const Part &part : read) {
        if (part.failed)
            std::rethrow_exception(part.failed);
        cards += part.Cards();
    }
    // A file of more cards than are read stops at the last one read: the pieces read
    // past it, so such a file is read again whole.
    if (read.size() > 1 && (cards > TVCardFile::MaxCards || std::any_of(read.begin(), read.end(), [](const Part &p) {
                                return p.notes.tooMany;
                            })))
        return prepare(std::move(bytes), ask, orgs, 1);
    // What was read is in the records now: the file's bytes are let go.
    text = QByteArray();
    bytes = QByteArray();

    PreparedVCards prepared;
    VCardImportNotes &notes = prepared.notes;
    int linesBefore = 0;
    for (Part &part : read) {
        tally(notes, part, linesBefore);
        if (part.waiting.empty()) {
            if (part.records.CardCount() > 0)
                prepared.records.push_back(part.records.TakeWithIds());
            continue;
        }
        // The cards asked about go between the others: the part's records are copied.
        QByteArray &out = prepared.records.emplace_back();
        out.reserve(part.records.Size() + qsizetype(part.waiting.size()) * 512);
        size_t done = 0;
        for (Part::Waiting &waiting : part.waiting) {
            part.records.AppendWithIds(out, done, waiting.before);
            done = waiting.before;
            const VCardImportAs as = ask(CardDisplayName(waiting.card), CardOrganization(waiting.card));
            CardRecords one;
            AppendCardRecords(one, waiting.card, as, 1);
            one.AppendWithIds(out);
            ++(as == VCardImportAs::Organization ? notes.organizations : notes.persons);
        }
        part.records.AppendWithIds(out, done);
        part.records = CardRecords();
    }
    return prepared;
}

int partsFor(qsizetype bytes)
{
    const int cores = int(std::thread::hardware_concurrency());
    return bytes >= kPartBytes ? std::clamp(cores, 1, 2) : 1;
}

// Pieces placed as they are read: the smaller they are, the less placing is left when the
// reading ends, but each costs a little setting up.
int piecesFor(qsizetype bytes)
{
    constexpr qsizetype kPieceBytes = 1 << 20;
    if (partsFor(bytes) < 2)
        return 1;
    return int(std::clamp<qsizetype>(bytes / kPieceBytes, 2, 64));
}

// The bytes may be those of a mapped file, which mapping holds.
VCardImportNotes placeAsRead(TTreeNode *target, QByteArray bytes, const std::shared_ptr<RecordSource> &mapping,
                             VCardImportAs orgs, int pieces)
{
    refuseReadOnly(target);
    const QByteArray text = VCardBytesAsUtf8(bytes);
    VCardImportNotes notes;
    int linesBefore = 0;
    qint64 cards = 0;
    bool tooMany = false;
    // The items placed take about two and a half times the cards' size. Memory for the
    // first of them is made ready beside the reading, so the placing waits less for the
    // system to clear fresh pages; making ready all of it kept more memory than it saved time.
    const HeapAhead ahead(size_t(text.size()) / 2 * 3);
    // The pieces go below target as a whole: its children are sorted once, at the end.
    TTreeNodes *nodes = target->Owner();
    nodes->BeginUpdate();
    const auto endUpdate = qScopeGuard([nodes] { nodes->EndUpdate(); });
    readInTurn(cutIntoParts(text, std::max(pieces, 1)), false, orgs, [&](Part &part) {
        if (part.failed)
            std::rethrow_exception(part.failed);
        cards += part.Cards();
        if (part.notes.tooMany || cards > TVCardFile::MaxCards) {
            tooMany = true;
            return false;
        }
        tally(notes, part, linesBefore);
        if (part.records.CardCount() > 0)
            ReadMadeItems(part.records.TakeWithIds(), target, false); // the other core reads cards
        // Read and placed: the file's pages of it are not needed again.
        if (mapping)
            mapping->ReleasePages(part.text.data(), part.text.data() + part.text.size());
        return true;
    });
    // Such a file is told as one read whole tells it; the cards placed stay unsaved.
    if (tooMany && pieces > 1)
        return prepare(std::move(bytes), {}, orgs, 1).notes;
    return notes;
}

} // namespace

PreparedVCards PrepareVCards(QByteArray bytes, const VCardOrgQuestion &ask, int parts)
{
    return prepare(std::move(bytes), ask, VCardImportAs::Person, parts);
}

PreparedVCards PrepareVCards(QByteArray bytes, VCardImportAs orgs, int parts)
{
    return prepare(std::move(bytes), {}, orgs, parts);
}

PreparedVCards PrepareVCardImport(const QString &fileName, const VCardOrgQuestion &ask)
{
    if (!QFileInfo::exists(fileName))
        return {};
    QByteArray bytes = ReadVCardFile(fileName);
    const int parts = partsFor(bytes.size());
    return PrepareVCards(std::move(bytes), ask, parts);
}

VCardImportNotes PlaceVCardsAsRead(TTreeNode *target, const QString &fileName, VCardImportAs orgs)
{
    if (!QFileInfo::exists(fileName))
        return {};
    const std::shared_ptr<RecordSource> source = ReadVCardSource(fileName, true);
    return placeAsRead(target, source->bytes, source, orgs, piecesFor(source->bytes.size()));
}

VCardImportNotes PlaceVCardsAsRead(TTreeNode *target, QByteArray bytes, VCardImportAs orgs, int pieces)
{
    return placeAsRead(target, std::move(bytes), nullptr, orgs, pieces);
}

void PlaceVCardImport(TTreeNode *target, const PreparedVCards &prepared)
{
    refuseReadOnly(target);
    for (const QByteArray &records : prepared.records)
        ReadMadeItems(records, target);
}

VCardImportNotes ImportVCardFile(TTreeNode *target, const QString &fileName, const VCardOrgQuestion &ask)
{
    refuseReadOnly(target);
    const PreparedVCards prepared = PrepareVCardImport(fileName, ask);
    PlaceVCardImport(target, prepared);
    return prepared.notes;
}
