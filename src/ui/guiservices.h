#pragma once

#include "store/itemservices.h"

#include <QCoreApplication>
#include <functional>
#include <memory>

class TFileIcons;
class TImageList;
class TMainForm;

// The desktop program's item services: dialogs, the main window's views, the shell.
// Mail goes to the desktop's mail client (or the browser), faxes to sendfax; dialing
// goes to the dialer once wired.
class GuiServices : public ItemServices
{
    Q_DECLARE_TR_FUNCTIONS(GuiServices)
public:
    explicit GuiServices(TMainForm &form);
    ~GuiServices() override;

    // The kind's property dialog (item, isNew); true on OK. Wired at start-up.
    std::function<bool(TZEBObject &, bool)> dialogRunner;
    // Dials a number through the dialer window (recipient, number). Wired at start-up.
    std::function<void(const QString &, const QString &)> dialer;
    // The category pop-up with the current bit set; nothing when dismissed.
    std::function<std::optional<qint32>(qint32)> categoryChooser;
    // The document to fax when none was given (a file dialog); empty when cancelled.
    std::function<QString(const QString &recipient)> faxDocumentChooser;

    // One message to these addresses, by the mail method of zeb.ini; what fails is shown.
    void SendMailTo(const QStringList &recipients, const QString &attachment);

    bool EditItem(TZEBObject &item, bool isNew) override;
    void BeginRename(TTreeNode *node) override;
    void ExpandNode(TTreeNode *node) override;
    void ReselectNode(TTreeNode *node) override;
    std::optional<qint32> ChooseCategories(qint32 current) override;
    bool IsFilteredOut(qint32 categories) const override;

    void Dial(const QString &recipient, const QString &number) override;
    void SendMail(const QString &recipient, const QString &address, const QString &attachment) override;
    void SendFax(const QString &recipient, const QString &number, const QString &attachment) override;
    void Browse(const QString &url) override;
    bool ShellOpen(const QString &file) override;
    bool StartProgram(const QString &program, const QStringList &arguments, const QString &workingDir) override;
    bool ConfirmStart(const QString &program, const QStringList &arguments) override;
    int FileIcon(const QString &file, int fallback) override;
    // The icons of files in the main window's image list.
    TFileIcons &fileIcons();
    const TImageList &imageList() const;

    void ShowHelp(int topic) override;
    void ShowError(const QString &message) override;
    void ShowInformation(const QString &message) override;

private:
    TMainForm &m_form;
    std::unique_ptr<TFileIcons> m_fileIcons;
};
