#pragma once

#include <QDialog>
#include <QList>

class QPushButton;
class QStackedWidget;

// The page sequence both wizards share: the pages of the current source (PageNames) are
// shown one after another with "<< Back" and "Next >>"; on the last one the button reads
// "Finish" and accepts the dialog.
class TWizardForm : public QDialog
{
    Q_OBJECT
public:
    explicit TWizardForm(QWidget *parent = nullptr);

    // Adds a sheet to the form (in form order); the wizard owns it.
    QWidget *AddSheet(QWidget *sheet);
    // The sequence to walk from now on; the wizard goes back to its first page.
    void SetSequence(const QList<QWidget *> &pages);
    const QList<QWidget *> &Sequence() const { return m_sequence; }
    int Position() const { return m_position; }
    QWidget *CurrentSheet() const;

    void NextPage();
    void PrevPage();
    // Whether "Next >>" ("Finish") may be pressed on the current page.
    void SetNextEnabled(bool enabled);

    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    // After every move (and after SetSequence).
    void pageChanged(QWidget *sheet);

private:
    void showPosition();

    QStackedWidget *m_stack;
    QPushButton *m_cancel;
    QPushButton *m_back;
    QPushButton *m_next;
    QList<QWidget *> m_sequence;
    int m_position = 0;
};
