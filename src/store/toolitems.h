#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class DatabaseContext;
class ItemServices;
class Profile;

// One configured add-on program of the tools menu. Its icon lives in the main
// window's image lists at ImageIndex (13, the generic image, until it has one:
// a tool list fetches it as the tool joins).
class TToolItem
{
public:
    // AllowAddress is set when allowAddressText is "1".
    TToolItem(const QString &caption, const QString &fileName, const QString &arguments,
              const QString &allowAddressText);

    int ImageIndex() const { return m_imageIndex; }
    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &caption) { m_caption = caption; }
    const QString &FileName() const { return m_fileName; }
    // Takes the program and fetches its icon again.
    void SetFileName(const QString &fileName, ItemServices &services);
    void FetchIcon(ItemServices &services);
    const QString &Arguments() const { return m_arguments; }
    void SetArguments(const QString &arguments) { m_arguments = arguments; }
    bool AllowAddress() const { return m_allowAddress; }
    void SetAllowAddress(bool allow) { m_allowAddress = allow; }

    // Starts the program in its own folder with ToolArguments(Arguments, address).
    bool Launch(ItemServices &services, const QString &address) const;
    // A tools menu entry: the program without arguments.
    bool Click(ItemServices &services) const;

private:
    int m_imageIndex;
    QString m_caption;
    QString m_fileName;
    QString m_arguments;
    bool m_allowAddress;
};

// The folder part of a path, with its trailing separator ("" without one).
QString FolderPart(const QString &path);

// What a tool starts with: its argument text split into words as a shell would (but
// without a shell), then the address as one argument of its own when there is one.
QStringList ToolArguments(const QString &arguments, const QString &address);

// The ordered list of configured tools, kept in section "Tools" of the settings file.
// A database's list lives in its context (DatabaseContext::Tools), whose services
// fetch the tools' icons; a list of its own (no context) fetches none.
class TToolItems
{
public:
    explicit TToolItems(const DatabaseContext *context = nullptr) : m_context(context) {}

    // Replaces the list with the tools of the settings file: every key of the
    // section in file order whose value is comma text of exactly four parts.
    void Load(const Profile &profile);
    // Rewrites the section: Tool0, Tool1, ... in list order, then writes the file.
    // False (see profile.errorString()) when the file could not take them.
    bool Save(Profile &profile) const;

    // Takes the tool and fetches its icon.
    TToolItem *Add(std::unique_ptr<TToolItem> item);
    // Removes and destroys the first tool whose Caption equals caption exactly.
    bool Delete(const QString &caption);
    // Removes and destroys the tool at index: the one the user chose, also where two
    // tools share a caption.
    bool DeleteAt(int index);
    // The first tool whose FileName equals fileName exactly, or none.
    TToolItem *FindByFileName(const QString &fileName) const;
    // Whether a tool starts exactly this program with exactly these arguments.
    bool IsConfigured(const QString &fileName, const QString &arguments) const;
    int Count() const { return int(m_items.size()); }
    // 0-based; none past the end.
    TToolItem *Items(int index) const;
    void Clear() { m_items.clear(); }

private:
    const DatabaseContext *m_context;
    std::vector<std::unique_ptr<TToolItem>> m_items;
};
