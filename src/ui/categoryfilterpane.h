#pragma once

#include "store/categoryfilter.h"

#include <QObject>
#include <QStringList>

class QAction;
class QActionGroup;
class QListWidget;
class QListWidgetItem;
class QWidget;

// The category filter of the main window: the two filter buttons (at most one down,
// both may be up) and the category list FilterListBox, which takes the tree's place
// in the left pane while a button is down. Every change of the test is announced
// with changed(), on which the item list is rebuilt.
class TCategoryFilterPane : public QObject
{
    Q_OBJECT
public:
    // The list is added to the left pane's layout beside the tree, hidden; the
    // buttons are made checkable and grouped.
    TCategoryFilterPane(QWidget *leftPane, QWidget *tree, QAction *anyButton, QAction *allButton,
                        QObject *parent = nullptr);

    QListWidget *FilterListBox() const { return m_list; }
    QAction *FilterBtn1() const { return m_any; }
    QAction *FilterBtn2() const { return m_all; }
    const CategoryFilter &Filter() const { return m_filter; }

    // Replaces the 32 names, none of them ticked: the mask is cleared with the ticks,
    // so nothing stays hidden by categories the list no longer shows as ticked.
    void SetNames(const QStringList &names);

    // Either button pressed or released: the mode follows the button, the list and
    // the tree swap places.
    void FilterBtn1Click(QAction *clicked);
    // A category ticked or unticked: the mask follows the ticks.
    void FilterListBoxClick();

signals:
    void changed();

private:
    QWidget *m_tree;
    QListWidget *m_list;
    QAction *m_any;
    QAction *m_all;
    QActionGroup *m_group;
    CategoryFilter m_filter;
};
