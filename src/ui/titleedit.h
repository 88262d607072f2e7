#pragma once

#include <QStyledItemDelegate>
#include <QValidator>

// Takes a title only when it holds more than blanks; while typing, a blank one may
// pass on the way to another.
class TTitleValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// Renames in place the way the property dialogs take titles: Enter on a blank
// name is refused, and leaving the editor then keeps the old name.
class TTitleEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
