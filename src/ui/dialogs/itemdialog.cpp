#include "itemdialog.h"

#include "categorypopup.h"
#include "itemdialogs.h"
#include "fieldwidgets.h"
#include "helphook.h"
#include "store/databasecontext.h"
#include "store/itemservices.h"
#include "store/zebobject.h"

#include <QDialogButtonBox>
#include <QAbstractButton>
#include <algorithm>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

ItemDialog::ItemDialog(TZEBObject &item, const QStringList &categoryNames, const QString &caption, QWidget *parent)
    : QDialog(parent), m_item(item), m_categoryNames(categoryNames)
{
    setWindowTitle(caption);
    setMinimumWidth(360);
    auto *outer = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    outer->addLayout(m_body, 1);

    m_catSelect = new QToolButton(this);
    m_catSelect->setObjectName(QStringLiteral("CatSelect"));
    m_catSelect->setToolTip(tr("Click to set categories"));
    m_catSelect->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    m_catSelect->setAutoRaise(true);
    m_catSelect->setEnabled(!item.InRemote());
    connect(m_catSelect, &QToolButton::clicked, this, &ItemDialog::chooseCategories);

    m_buttons = new QDialogButtonBox(this);
    m_ok = m_buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setText(tr("OK"));
    m_ok->setDefault(true);
    m_ok->setEnabled(!item.InRemote());
    QPushButton *cancel = m_buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setText(tr("Cancel"));
    QPushButton *help = m_buttons->addButton(tr("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { m_item.Context().Services().ShowHelp(ItemDialogHelpContext); });

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_catSelect);
    bottom->addWidget(m_buttons, 1);
    outer->addLayout(bottom);
}

QLineEdit *ItemDialog::makeEdit(const QString &name, int maxLength, const QString &text)
{
    QLineEdit *edit = MakeLimitedEdit(name, maxLength, this);
    SetLimitedText(edit, maxLength, text);
    return edit;
}

void ItemDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_focusArranged)
        return;
    m_focusArranged = true;
    // Fields are made in whatever order suits the code; the tab order follows the form
    // from top to bottom, and the category image and the buttons come last, so typing
    // starts in the first field.
    const auto focusable = [](QWidget *w) {
        return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(w->window());
    };
    QList<QWidget *> order;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (w != m_catSelect && !m_buttons->isAncestorOf(w) && focusable(w))
            order << w;
    std::stable_sort(order.begin(), order.end(), [this](QWidget *a, QWidget *b) {
        const QPoint pa = a->mapTo(this, QPoint(0, 0));
        const QPoint pb = b->mapTo(this, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    if (order.isEmpty())
        return;
    order << m_catSelect;
    for (QAbstractButton *button : m_buttons->buttons())
        order << button;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
    order.front()->setFocus(Qt::OtherFocusReason);
}

void ItemDialog::chooseCategories()
{
    // Whatever the pop-up returns stays, even when this dialog is cancelled later.
    const QPoint below = m_catSelect->mapToGlobal(m_catSelect->rect().bottomLeft());
    if (auto chosen = RunCategoryPopup(m_item.Categories(), m_categoryNames, this, below))
        m_item.SetCategories(*chosen);
}
