#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class TZEBObject;

// The frame every item property dialog shares: the fields above, "OK", "Cancel"
// and "&Help" at the bottom, and the category image. OK is disabled for an item
// inside a remote folder, which is read-only, and while the title is blank.
// Tab goes through the fields from top to bottom, those of the page in front
// of a page control included, then to the category image and the buttons.
class ItemDialog : public QDialog
{
    Q_OBJECT
public:
    ItemDialog(TZEBObject &item, const QStringList &categoryNames, const QString &caption, QWidget *parent);
    ~ItemDialog() override;

    QPushButton *okButton() const { return m_ok; }
    QToolButton *catSelect() const { return m_catSelect; }
    TZEBObject &item() const { return m_item; }

protected:
    void showEvent(QShowEvent *event) override;
    // OK stores the categories chosen in the pop-up; Cancel forgets them.
    void done(int result) override;
    // Where the subclass puts its fields.
    QVBoxLayout *body() const { return m_body; }
    // An edit field with a length limit (0: none) and an object name.
    QLineEdit *makeEdit(const QString &name, int maxLength, const QString &text = QString());
    // The item's title field: OK waits for it to hold more than blanks.
    QLineEdit *makeTitleEdit(const QString &name, int maxLength, const QString &text);
    // OK also waits for this field to hold more than blanks.
    void requireText(QLineEdit *edit);

private:
    void chooseCategories();
    void updateOk();
    // Threads the tab order through the fields that show now; returns the first.
    QWidget *arrangeTabOrder();

    TZEBObject &m_item;
    QStringList m_categoryNames;
    QVBoxLayout *m_body;
    QToolButton *m_catSelect;
    QDialogButtonBox *m_buttons;
    QPushButton *m_ok;
    QLineEdit *m_title = nullptr;
    QList<QLineEdit *> m_required;
    std::optional<qint32> m_chosenCategories;
    bool m_focusArranged = false;
};
