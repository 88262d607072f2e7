#include "categoryfilterpane.h"

#include "store/categorynames.h"

#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QListWidget>
#include <QSignalBlocker>

TCategoryFilterPane::TCategoryFilterPane(QWidget *leftPane, QWidget *tree, QAction *anyButton, QAction *allButton,
                                         QObject *parent)
    : QObject(parent), m_tree(tree), m_any(anyButton), m_all(allButton)
{
    m_list = new QListWidget(leftPane);
    m_list->setObjectName(QStringLiteral("FilterListBox"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->hide();
    if (leftPane->layout())
        leftPane->layout()->addWidget(m_list);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem *) { FilterListBoxClick(); });

    m_group = new QActionGroup(this);
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *button : {m_any, m_all}) {
        button->setCheckable(true);
        button->setChecked(false);
        button->setEnabled(true);
        m_group->addAction(button);
        connect(button, &QAction::triggered, this, [this, button] { FilterBtn1Click(button); });
    }
}

void TCategoryFilterPane::SetNames(const QStringList &names)
{
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        for (const QString &name : names.mid(0, CategoryCount)) {
            auto *entry = new QListWidgetItem(name, m_list);
            entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            entry->setCheckState(Qt::Unchecked);
        }
    }
    m_filter.FilterMask = 0;
    emit changed();
}

void TCategoryFilterPane::FilterBtn1Click(QAction *clicked)
{
    if (clicked->isChecked())
        m_filter.mode = clicked == m_all ? CategoryFilter::Mode::All : CategoryFilter::Mode::Any;
    else
        m_filter.mode = CategoryFilter::Mode::Off;
    // The two share the left pane's place and width; the tree keeps its selection hidden.
    m_list->setVisible(m_filter.FilterMode());
    m_tree->setVisible(!m_filter.FilterMode());
    emit changed();
}

void TCategoryFilterPane::FilterListBoxClick()
{
    qint32 mask = 0;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->checkState() == Qt::Checked)
            mask |= CategoryBit(row + 1);
    if (mask == m_filter.FilterMask)
        return;
    m_filter.FilterMask = mask;
    emit changed();
}
