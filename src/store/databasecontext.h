#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

class FieldPool;
class ItemServices;
class TToolItems;

namespace RecordFile {
// The steps of a save, for tests that stop it half way.
enum class SaveStep { CreateTransaction, WriteParams, WriteRecords, SyncTransaction, CopyDatabase, ReplaceDatabase };
} // namespace RecordFile

// Everything a database's items and files reach beyond themselves: the services of the
// program around them, the day reminders are measured against, the HTTP transport of
// remote folders, the tool list. Each tree owns one
// (TTreeNodes::Context), so two databases in one process never see each other's.
class DatabaseContext
{
public:
    DatabaseContext();
    ~DatabaseContext();
    DatabaseContext(const DatabaseContext &) = delete;
    DatabaseContext &operator=(const DatabaseContext &) = delete;

    // Dialogs, views, dialing, mail... Not owned; without any, a quiet default answers
    // (dialogs cancelled, nothing sent, messages to stderr).
    ItemServices &Services() const;
    void SetServices(ItemServices *services);

    // The day due states are measured against: the system's date unless pinned.
    // An invalid date unpins it.
    QDate Today() const;
    void SetToday(const QDate &today) { m_today = today; }

    // Reads "http://" sources of remote folders; the program installs it once the
    // transport exists. lastModified gives the source's time, fetch downloads it.
    struct HttpSource
    {
        std::function<double(const QString &url)> lastModified;
        std::function<void(const QString &url, const QString &toFile)> fetch;
    };
    const HttpSource &Http() const { return m_http; }
    void SetHttpSource(HttpSource source) { m_http = std::move(source); }

    // True makes that step of a save fail. Empty by default.
    using SaveFaultHook = std::function<bool(RecordFile::SaveStep)>;
    void SetSaveFaultHook(SaveFaultHook hook) { m_saveFault = std::move(hook); }
    bool SaveStepFails(RecordFile::SaveStep step) const { return m_saveFault && m_saveFault(step); }

    // On only while a remote folder reads its contents, so items may be made below it.
    // Set it for a scope with QScopedValueRollback on RemoteLoadingFlag().
    bool RemoteLoading() const { return m_remoteLoading; }
    bool &RemoteLoadingFlag() { return m_remoteLoading; }

    // A program that reads, works and ends within moments (the mira tool) reads a large
    // database file where the system keeps it for its whole run. A program that runs for
    // hours copies it, so a file another program shortens later cannot take the pages
    // from under it. Off by default.
    bool KeepsFilesMapped() const { return m_keepFilesMapped; }
    void SetKeepsFilesMapped(bool on) { m_keepFilesMapped = on; }

    // Shares the short texts a load reads many times over; none for a detached context.
    FieldPool *Pool() const { return m_pool.get(); }

    // The configured add-on programs of the tools menu.
    TToolItems &Tools() { return *m_tools; }
    const TToolItems &Tools() const { return *m_tools; }

    // What an item that lies in no tree sees: the quiet services, the system's date,
    // no tools, no pool. Never changed.
    static const DatabaseContext &Detached();

private:
    struct DetachedTag {};
    explicit DatabaseContext(DetachedTag);

    ItemServices *m_services = nullptr;
    QDate m_today;
    HttpSource m_http;
    SaveFaultHook m_saveFault;
    bool m_remoteLoading = false;
    bool m_keepFilesMapped = false;
    std::unique_ptr<FieldPool> m_pool;
    std::unique_ptr<TToolItems> m_tools;
};
