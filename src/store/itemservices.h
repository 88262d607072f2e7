#pragma once

#include <QString>
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
    // Starts a program with parameters (split as a shell would) in a working directory.
    virtual bool StartProgram(const QString &program, const QString &parameters, const QString &workingDir) = 0;
    // The image-list index of the icon the desktop shows for file (a program's own
    // icon). imageIndex 13, the generic document image, asks for a new pair of
    // entries in the large and small lists; any other index is replaced in place.
    // Without icons the index comes back unchanged.
    virtual int FileIcon(const QString &file, int imageIndex) { Q_UNUSED(file); return imageIndex; }

    // The help page of a topic (the item dialogs' Help button).
    virtual void ShowHelp(int topic) { Q_UNUSED(topic); }

    // Message boxes
    virtual void ShowError(const QString &message) = 0;
    virtual void ShowInformation(const QString &message) = 0;
};

// Answers nothing interactively and prints messages to stderr.
ItemServices &QuietServices();
