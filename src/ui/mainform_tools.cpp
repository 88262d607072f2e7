// The tools of the main window: the toolbar's tools menu and the Tools dialog.
#include "mainform.h"

#include "guiservices.h"
#include "imagelist.h"
#include "toolmenus.h"
#include "toolsdialog.h"
#include "store/databasecontext.h"
#include "store/toolitems.h"
#include "store/toolobject.h"
#include "store/treenodes.h"

#include <QAction>
#include <QMenu>

QMenu *TMainForm::buildToolsPopup()
{
    m_toolsPopup = new QMenu(this);
    m_toolsPopup->setObjectName(QStringLiteral("ToolsPopup"));
    QAction *show = m_toolsPopup->addAction(tr("&Show Popup"));
    connect(show, &QAction::triggered, this, &TMainForm::ToolsBtnClick);
    m_toolsPopup->addSeparator();
    return m_toolsPopup;
}

void TMainForm::BuildToolMenus()
{
    // The two fixed entries stay; the tools' entries are made again.
    const QList<QAction *> entries = m_toolsPopup->actions();
    for (qsizetype i = 2; i < entries.size(); ++i) {
        m_toolsPopup->removeAction(entries.at(i));
        delete entries.at(i);
    }
    AddToolEntries(m_toolsPopup, m_nodes->Context(), *m_images);
    emit toolMenusRebuilt();
}

void TMainForm::ToolsBtnClick()
{
    QString caption, fileName, arguments;
    {
        TToolsDlg dialog(m_nodes->Context().Tools(), *m_images, *m_services, this);
        if (dialog.exec() != TToolsDlg::NewAddress)
            return;
        const TToolItem *tool = dialog.selectedTool();
        if (!tool)
            return;
        caption = tool->Caption();
        fileName = tool->FileName();
        arguments = tool->Arguments();
    }
    NewItem(ItemKind::Tool, QStringLiteral("New ") + caption, TToolObject::NewDataLine(fileName, arguments));
}
