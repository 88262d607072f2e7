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
#include <QTabWidget>
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

ItemDialog::~ItemDialog()
{
    // The page controls go with the dialog's widgets, after this part of it is gone.
    for (QTabWidget *pages : findChildren<QTabWidget *>())
        disconnect(pages, nullptr, this, nullptr);
    for (QLineEdit *edit : std::as_const(m_required))
        disconnect(edit, nullptr, this, nullptr);
}

QLineEdit *ItemDialog::makeEdit(const QString &name, int maxLength, const QString &text)
{
    QLineEdit *edit = MakeLimitedEdit(name, maxLength, this);
    SetLimitedText(edit, maxLength, text);
    return edit;
}

QLineEdit *ItemDialog::makeTitleEdit(const QString &name, int maxLength, const QString &text)
{
    m_title = makeEdit(name, maxLength, text);
    connect(m_title, &QLineEdit::textChanged, this, &ItemDialog::updateOk);
    updateOk();
    return m_title;
}

void ItemDialog::requireText(QLineEdit *edit)
{
    m_required.append(edit);
    connect(edit, &QLineEdit::textChanged, this, &ItemDialog::updateOk);
    updateOk();
}

void ItemDialog::updateOk()
{
    bool filled = !m_title || IsTitleText(m_title->text());
    for (const QLineEdit *edit : std::as_const(m_required))
        filled = filled && !edit->text().trimmed().isEmpty();
    m_ok->setEnabled(!m_item.InRemote() && filled);
}

void ItemDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_focusArranged)
        return;
    m_focusArranged = true;
    // Typing starts in the first field.
    if (QWidget *first = arrangeTabOrder())
        first->setFocus(Qt::OtherFocusReason);
    // Another page brings other fields to the front: they join the order where it stands.
    for (QTabWidget *pages : findChildren<QTabWidget *>())
        connect(pages, &QTabWidget::currentChanged, this, &ItemDialog::arrangeTabOrder);
}

QWidget *ItemDialog::arrangeTabOrder()
{
    // Fields are made in whatever order suits the code; the tab order follows the form
    // from top to bottom, and the category image and the buttons come last.
    const auto focusable = [this](QWidget *w) {
        return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this);
    };
    // Where a field stands: a field on a page by the page control's place in the dialog,
    // then by its own place in the control (a page that just came to the front may not
    // have been laid out in the dialog yet).
    struct Place
    {
        QWidget *widget;
        QPoint outer;
        QPoint inner;
    };
    QList<Place> order;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w == m_catSelect || m_buttons->isAncestorOf(w) || !focusable(w))
            continue;
        QWidget *pages = nullptr;
        for (QWidget *p = w->parentWidget(); p && p != this; p = p->parentWidget())
            if (qobject_cast<QTabWidget *>(p))
                pages = p;
        if (pages)
            order.append({w, pages->mapTo(this, QPoint(0, 0)), w->mapTo(pages, QPoint(0, 0))});
        else
            order.append({w, w->mapTo(this, QPoint(0, 0)), QPoint()});
    }
    const auto before = [](const QPoint &a, const QPoint &b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    };
    std::stable_sort(order.begin(), order.end(), [&](const Place &a, const Place &b) {
        if (a.outer != b.outer)
            return before(a.outer, b.outer);
        return before(a.inner, b.inner);
    });
    if (order.isEmpty())
        return nullptr;
    QList<QWidget *> chain;
    for (const Place &p : std::as_const(order))
        chain << p.widget;
    chain << m_catSelect;
    for (QAbstractButton *button : m_buttons->buttons())
        chain << button;
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i), chain.at(i + 1));
    return chain.front();
}

void ItemDialog::chooseCategories()
{
    // The pop-up has no cancel; the dialog has: the ticks wait for OK like every other field.
    const QPoint below = m_catSelect->mapToGlobal(m_catSelect->rect().bottomLeft());
    if (auto chosen = RunCategoryPopup(m_chosenCategories.value_or(m_item.Categories()), m_categoryNames, this, below))
        m_chosenCategories = *chosen;
}

void ItemDialog::done(int result)
{
    if (result == QDialog::Accepted && m_chosenCategories)
        m_item.SetCategories(*m_chosenCategories);
    QDialog::done(result);
}
