#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class TZEBObject;

// The frame every item property dialog shares: the fields above, "OK", "Cancel"
// and "&Help" at the bottom, and the category image. OK is disabled for an item
// inside a remote folder, which is read-only.
class ItemDialog : public QDialog
{
    Q_OBJECT
public:
    ItemDialog(TZEBObject &item, const QStringList &categoryNames, const QString &caption, QWidget *parent);

    QPushButton *okButton() const { return m_ok; }
    QToolButton *catSelect() const { return m_catSelect; }
    TZEBObject &item() const { return m_item; }

protected:
    void showEvent(QShowEvent *event) override;
    // Where the subclass puts its fields.
    QVBoxLayout *body() const { return m_body; }
    // An edit field with a length limit (0: none) and an object name.
    QLineEdit *makeEdit(const QString &name, int maxLength, const QString &text = QString());

private:
    void chooseCategories();

    TZEBObject &m_item;
    QStringList m_categoryNames;
    QVBoxLayout *m_body;
    QToolButton *m_catSelect;
    QDialogButtonBox *m_buttons;
    QPushButton *m_ok;
    bool m_focusArranged = false;
};
