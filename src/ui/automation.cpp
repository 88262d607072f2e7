#include "automation.h"

#include "mainform.h"
#include "exchange/automationbus.h"
#include "exchange/automationclients.h"
#include "exchange/progress.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QTreeView>

bool TMainFormAutomationHost::Busy() const
{
    // A label being edited in place would write its text over a change made meanwhile.
    // (Its editor is the one widget the view puts on its viewport.)
    const auto editing = [](const QAbstractItemView *view) {
        if (view)
            for (const QWidget *child : view->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (child->isVisible())
                    return true;
        return false;
    };
    return QApplication::activeModalWidget() || QApplication::activePopupWidget() || m_form.TransferRunning() ||
           m_form.progress().Running() ||
           editing(m_form.folders()) || editing(m_form.mainItems());
}

AutomationHost::Pane TMainFormAutomationHost::ActivePane() const
{
    switch (m_form.ActivePane()) {
    case TMainForm::Pane::Folders:
        return Pane::Folders;
    case TMainForm::Pane::MainItems:
        return Pane::Items;
    }
    return Pane::Other;
}

TTreeNode *TMainFormAutomationHost::SelectedNode() const { return m_form.SelectedNode(); }

QList<TZEBObject *> TMainFormAutomationHost::SelectedItems() const { return m_form.selectedItems(); }

bool TMainFormAutomationHost::CanLocate() const { return true; }

bool TMainFormAutomationHost::Locate(const QString &title) { return m_form.Locate(title); }

void TMainFormAutomationHost::SetClipboardText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

void TMainFormAutomationHost::TitlesChanged() { m_form.RefreshFolderTitles(); }

TAutomation::TAutomation(TMainForm &form)
    : m_host(form), m_clients(std::make_unique<AutomationClients>(form.Nodes(), m_host))
{
}

TAutomation::~TAutomation() = default;

bool TAutomation::Start(const QDBusConnection &bus)
{
    m_bus = std::make_unique<AutomationBus>(*m_clients);
    return m_bus->Register(bus);
}

QString TAutomation::errorString() const { return m_bus ? m_bus->errorString() : QString(); }
