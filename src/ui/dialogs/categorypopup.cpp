#include "categorypopup.h"

#include "itemdialogs.h"
#include "store/categorynames.h"

#include <QListWidget>
#include <QVBoxLayout>

TCategoryPopup::TCategoryPopup(QWidget *parent) : QDialog(parent, Qt::Tool), m_list(new QListWidget(this))
{
    setWindowTitle(tr("Select Categories"));
    setModal(true);
    m_list->setObjectName(QStringLiteral("CategoryList"));
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    m_list->setPalette(palette);
    m_list->setUniformItemSizes(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(175, 204);
}

void TCategoryPopup::Fill(const QStringList &names, qint32 mask)
{
    m_list->clear();
    const int shown = int(qMin<qsizetype>(names.size(), CategoryCount));
    m_hiddenBits = mask;
    for (int n = 1; n <= shown; ++n) {
        auto *entry = new QListWidgetItem(names.at(n - 1), m_list);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        entry->setCheckState(HasCategory(mask, n) ? Qt::Checked : Qt::Unchecked);
        entry->setSizeHint(QSize(0, 16));
        m_hiddenBits &= ~CategoryBit(n);
    }
}

qint32 TCategoryPopup::GetMask() const
{
    qint32 mask = m_hiddenBits;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            mask |= CategoryBit(i + 1);
    return mask;
}

std::optional<qint32> RunCategoryPopup(qint32 current, const QStringList &names, QWidget *parent, QPoint at)
{
    TCategoryPopup popup(parent);
    popup.Fill(names, current);
    popup.move(at);
    popup.exec();
    return popup.GetMask();
}
