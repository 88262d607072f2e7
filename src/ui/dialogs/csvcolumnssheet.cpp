#include "csvcolumnssheet.h"

#include "exchange/csvcolumns.h"
#include "store/kindtable.h"
#include "ui/imagelist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString tr(const char *text) { return QCoreApplication::translate("TCsvColumnsSheet", text); }
}

CsvColumnsSheet MakeCsvColumnsSheet(QWidget *parent, const QString &typeLabel, const QString &chosenLabel)
{
    CsvColumnsSheet s{};
    s.sheet = new QWidget(parent);
    s.recType = new QComboBox(s.sheet);
    s.recType->setObjectName(QStringLiteral("RecTypeCombo"));
    const TImageList images;
    for (const CsvRecordType &t : CsvRecordTypes())
        s.recType->addItem(images.Icon(ImageIndex(FindKind(t.kind)->image)), tr(t.name));
    s.available = new QListWidget(s.sheet);
    s.available->setObjectName(QStringLiteral("ListBox1"));
    s.available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    s.chosen = new QListWidget(s.sheet);
    s.chosen->setObjectName(QStringLiteral("ListBox2"));
    s.chosen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    s.chosen->setDragDropMode(QAbstractItemView::InternalMove);
    s.toChosen = new QPushButton(tr("Copy to Import"), s.sheet);
    s.toAvailable = new QPushButton(tr("Copy to Available"), s.sheet);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(s.toChosen);
    buttons->addWidget(s.toAvailable);
    buttons->addStretch(1);
    auto *availableColumn = new QVBoxLayout;
    availableColumn->addWidget(new QLabel(tr("Available Fields"), s.sheet));
    availableColumn->addWidget(s.available);
    auto *chosenColumn = new QVBoxLayout;
    chosenColumn->addWidget(new QLabel(chosenLabel, s.sheet));
    chosenColumn->addWidget(s.chosen);
    auto *lists = new QHBoxLayout;
    lists->addLayout(availableColumn, 1);
    lists->addLayout(buttons);
    lists->addLayout(chosenColumn, 1);
    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(typeLabel, s.sheet));
    typeRow->addWidget(s.recType, 1);
    auto *layout = new QVBoxLayout(s.sheet);
    layout->addLayout(typeRow);
    layout->addLayout(lists, 1);
    return s;
}
