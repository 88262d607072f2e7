#include "tipbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRandomGenerator>
#include <QToolButton>

TTipBar::TTipBar(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    auto *caption = new QLabel(QStringLiteral("<b>Tip:</b>"), this);
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    // A long tip is cut at the window's edge rather than widening the window.
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_label->setMinimumWidth(0);
    auto *next = new QToolButton(this);
    next->setText(tr("Next Tip"));
    next->setToolTip(tr("Show the next tip"));
    next->setStatusTip(tr("Show the next usage tip"));
    connect(next, &QToolButton::clicked, this, &TTipBar::showNextTip);
    layout->addWidget(caption);
    layout->addWidget(m_label, 1);
    layout->addWidget(next);
    showTip(0);
}

const QStringList &TTipBar::Tips()
{
    static const QStringList tips{
        tr("Double-click an organization or person in the list to expand it in the folder tree."),
        tr("A person's dialog fills in first, middle and last name from the title you type."),
        tr("Press Ctrl+P to add a person to the selected folder."),
        tr("Drop a file from the desktop on the list to keep it as a document item."),
        tr("Click a selected title, or choose Edit > Rename in the pop-up menu, to rename it in place."),
        tr("Folders always come first in the list; everything else is sorted by title."),
        tr("View > Toggle Main Window switches between two remembered window layouts."),
        tr("A remote folder shows the contents of an exported database file, read-only."),
        tr("Your contacts are saved when you exit, and any time with File > Save Database."),
        tr("Closing the main window keeps Mirabook running in the tray; use Exit to end it."),
    };
    return tips;
}

QString TTipBar::currentText() const { return Tips().value(m_current); }

void TTipBar::showTip(int index)
{
    const int count = int(Tips().size());
    m_current = ((index % count) + count) % count;
    m_label->setText(Tips().at(m_current));
}

void TTipBar::showRandomTip() { showTip(int(QRandomGenerator::global()->bounded(Tips().size()))); }

void TTipBar::showNextTip() { showTip(m_current + 1); }
