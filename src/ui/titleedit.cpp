#include "titleedit.h"

#include "store/zebobject.h"

#include <QLineEdit>

QValidator::State TTitleValidator::validate(QString &input, int &) const
{
    return IsTitleText(input) ? Acceptable : Intermediate;
}

QWidget *TTitleEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setValidator(new TTitleValidator(line));
    return editor;
}
