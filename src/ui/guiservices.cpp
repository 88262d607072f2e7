#include "guiservices.h"

#include "fileicons.h"
#include "helptopics.h"
#include "imagelist.h"
#include "mainform.h"
#include "comms/mailsend.h"
#include "platform/browserlink.h"
#include "platform/profile.h"
#include "platform/launcher.h"
#include "store/categoryfilter.h"
#include "store/zebobject.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace {
const QString AppTitle = QStringLiteral("Mirabook");
}

GuiServices::GuiServices(TMainForm &form) : m_form(form) {}

GuiServices::~GuiServices() = default;

bool GuiServices::EditItem(TZEBObject &item, bool isNew)
{
    return dialogRunner ? dialogRunner(item, isNew) : false;
}

void GuiServices::BeginRename(TTreeNode *node) { m_form.BeginRename(node); }

void GuiServices::ExpandNode(TTreeNode *node) { m_form.ExpandNode(node); }

void GuiServices::ReselectNode(TTreeNode *node) { m_form.ReselectNode(node); }

std::optional<qint32> GuiServices::ChooseCategories(qint32 current)
{
    return categoryChooser ? categoryChooser(current) : std::nullopt;
}

bool GuiServices::IsFilteredOut(qint32 categories) const { return m_form.categoryFilter().IsFilteredOut(categories); }

void GuiServices::Dial(const QString &recipient, const QString &number)
{
    if (dialer)
        dialer(recipient, number);
}

void GuiServices::SendMail(const QString &, const QString &address, const QString &attachment)
{
    SendMailTo({address}, attachment);
}

void GuiServices::SendMailTo(const QStringList &recipients, const QString &attachment)
{
    MailSend::Plan plan = MailSend::PlanFor(MailSend::Method(Profile()), recipients, attachment);
    if (plan.browser) {
        Browse(plan.url);
        return;
    }
    // A client that fails later says so then.
    const int result = plan.mail.SendMail(&m_form, [this](const QString &reason) {
        ShowError(tr("The message could not be handed to your mail program: %1.").arg(reason));
    });
    if (result != Mapi::Success)
        ShowError(plan.mail.ErrorText);
}

void GuiServices::SendFax(const QString &recipient, const QString &number, const QString &attachment)
{
    QString document = attachment;
    if (document.isEmpty()) {
        document = faxDocumentChooser ? faxDocumentChooser(recipient)
                                      : QFileDialog::getOpenFileName(m_form.isVisible() ? &m_form : nullptr,
                                                                     tr("Send Fax to %1").arg(recipient));
        if (document.isEmpty())
            return;
    }
    const auto failed = [this](const QString &reason) {
        ShowError(tr("MAPI Error. Unable to send Fax using Windows Messaging Services") +
                  QStringLiteral("\n\n") + reason);
    };
    QString error;
    if (FaxSending::Send(number, document, &m_form, failed, &error) != Mapi::Success)
        failed(error);
}

void GuiServices::Browse(const QString &url)
{
    QString error;
    if (!BrowserLink::OpenURL(url, &error))
        ShowError(error);
}

bool GuiServices::ShellOpen(const QString &file)
{
    // The desktop's own handler takes over; what the shell would have said itself
    // (a missing file, nothing to open it with) is said here.
    QUrl url;
    if (HasURLScheme(file)) {
        url = QUrl(file);
    } else {
        const QFileInfo info(file);
        if (!info.exists()) {
            ShowError(QStringLiteral("%1 was not found").arg(file));
            return false;
        }
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    if (QDesktopServices::openUrl(url))
        return true;
    ShowError(tr("Cannot open %1").arg(file));
    return false;
}

bool GuiServices::StartProgram(const QString &program, const QStringList &arguments, const QString &workingDir)
{
    QString error;
    if (startProgram(program, arguments, workingDir, &error))
        return true;
    if (!error.isEmpty())
        ShowError(error);
    return false;
}

bool GuiServices::ConfirmStart(const QString &program, const QStringList &arguments)
{
    QStringList shown{program};
    for (const QString &a : arguments)
        shown << (a.isEmpty() || a.contains(u' ') ? u'"' + a + u'"' : a);
    QMessageBox ask(QMessageBox::Warning, AppTitle,
                    tr("This tool address would start a command that is not one of your tools:\n\n%1\n\n"
                       "Start it only if you know where the address came from. Start it?")
                        .arg(shown.join(u' ')),
                    QMessageBox::Yes | QMessageBox::No, m_form.isVisible() ? &m_form : nullptr);
    ask.setDefaultButton(QMessageBox::No);
    return ask.exec() == QMessageBox::Yes;
}

int GuiServices::FileIcon(const QString &file, int fallback) { return fileIcons().IndexFor(file, fallback); }

const TImageList &GuiServices::imageList() const { return m_form.imageList(); }

TFileIcons &GuiServices::fileIcons()
{
    if (!m_fileIcons)
        m_fileIcons = std::make_unique<TFileIcons>(m_form.imageList());
    return *m_fileIcons;
}

void GuiServices::ShowHelp(int topic) { HelpTopics::ShowTopic(topic, *this); }

void GuiServices::ShowError(const QString &message)
{
    QMessageBox::critical(m_form.isVisible() ? &m_form : nullptr, AppTitle, message);
}

void GuiServices::ShowInformation(const QString &message)
{
    QMessageBox::information(m_form.isVisible() ? &m_form : nullptr, AppTitle, message);
}
