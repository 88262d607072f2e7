#include "tooldialog.h"

#include "store/databasecontext.h"
#include "store/toolobject.h"
#include "ui/guiservices.h"
#include "ui/imagelist.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

TToolEdit::TToolEdit(TToolObject &tool, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(tool, categoryNames, tr("Custom Tool"), parent), m_tool(tool)
{
    m_title = makeTitleEdit(QStringLiteral("TitleEdit"), 80, tool.Title());
    m_address = makeEdit(QStringLiteral("Address"), 0, tool.Value());
    m_comment = makeEdit(QStringLiteral("CommentEdit"), 255, tool.Comment());

    // The picture the lists show for the item: the desktop's, where the item's
    // services are the desktop program's, else the built-in one.
    const auto *gui = dynamic_cast<GuiServices *>(&tool.Context().Services());
    const QIcon icon = gui ? gui->imageList().Icon(tool.GetImageIndex()) : TImageList().Icon(tool.GetImageIndex());
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("ToolImage"));
    m_image->setPixmap(icon.pixmap(32, 32));
    m_image->setToolTip(tool.ToolFile());

    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("Target &Address:"), m_address);
    form->addRow(tr("&Comment:"), m_comment);
    auto *row = new QHBoxLayout;
    row->addWidget(m_image, 0, Qt::AlignTop);
    row->addLayout(form, 1);
    body()->addLayout(row);
}

bool TToolEdit::apply() { return m_tool.ApplyDialog(m_title->text(), m_address->text(), m_comment->text()); }
