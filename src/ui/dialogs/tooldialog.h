#pragma once

#include "itemdialog.h"

class QLabel;
class TToolObject;

// "Custom Tool": a tool address's title, its target address and a comment, with the
// picture of the tool it is for.
class TToolEdit : public ItemDialog
{
    Q_OBJECT
public:
    TToolEdit(TToolObject &tool, const QStringList &categoryNames, QWidget *parent = nullptr);

    QLabel *toolImage() const { return m_image; }
    bool apply();

private:
    TToolObject &m_tool;
    QLineEdit *m_title;
    QLineEdit *m_address;
    QLineEdit *m_comment;
    QLabel *m_image;
};
