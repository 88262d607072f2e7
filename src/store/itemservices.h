#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TZEBObject;
class TTreeNode;

// The one way items reach the world outside the store: dialogs, the views,
// dialing, mail, fax, the browser, the shell and the category filter.
// A database reaches them through its context (DatabaseContext::Services): the desktop
// program installs the real services there, tests install fakes; without either,
// the quiet default answers (dialogs cancelled, nothing sent).
class ItemServices
{
public:
    virtual ~ItemServices() = default;

    // The kind's property dialog; isNew for a freshly created item. True on OK.
    virtual bool EditItem(TZEBObject &item, bool isNew) = 0;
    // Shows the node and starts editing its label (a new folder or team).
    virtual void BeginRename(TTreeNode *node) = 0;
    virtual void ExpandNode(TTreeNode *node) = 0;
    // Rebuilds the item list by selecting the root node and then this node again.
    virtual void ReselectNode(TTreeNode *) {}
    // The category pop-up: the new bit set, or nothing when it was dismissed.
    virtual std::optional<qint32> ChooseCategories(qint32 current) = 0;
    virtual bool IsFilteredOut(qint32 categories) const = 0;

    virtual void Dial(const QString &recipient, const QString &number) = 0;
    virtual void SendMail(const QString &recipient, const QString &address, const QString &attachment) = 0;
    virtual void SendFax(const QString &recipient, const QString &number, const QString &attachment) = 0;
    virtual void Browse(const QString &url) = 0;
    // Opens a file with its associated program.
    virtual bool ShellOpen(const QString &file) = 0;
    // Starts a program with exactly these arguments (never through a shell) in a working directory.
    virtual bool StartProgram(const QString &program, const QStringList &arguments, const QString &workingDir) = 0;
    // Asks the user before a program that is not a configured tool starts (a tool
    // address read from a file, a paste or a web folder names its own). Without
    // someone to ask, the answer is no.
    virtual bool ConfirmStart(const QString &program, const QStringList &arguments)
    {
        Q_UNUSED(program);
        Q_UNUSED(arguments);
        return false;
    }
    // The image-list index of the icon the desktop shows for file (a program's own
    // icon). Files that show the same picture share one entry, so loading the same
    // documents again adds none. Without an icon, fallback comes back.
    virtual int FileIcon(const QString &file, int fallback) { Q_UNUSED(file); return fallback; }

    // The help page of a topic (the item dialogs' Help button).
    virtual void ShowHelp(int topic) { Q_UNUSED(topic); }

    // Message boxes
    virtual void ShowError(const QString &message) = 0;
    virtual void ShowInformation(const QString &message) = 0;
};

// Answers nothing interactively and prints messages to stderr.
ItemServices &QuietServices();
