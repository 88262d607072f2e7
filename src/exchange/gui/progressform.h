#pragma once

#include <QWidget>

class ProgressState;
class QLabel;
class QProgressBar;
class QPushButton;

// The small "Progress" window of long work: it shows what a ProgressState says, appears
// and goes as the state says, and keeps the other windows from input while it shows.
// Its Cancel button is there only for work that can be stopped.
class TProgressForm : public QWidget
{
    Q_OBJECT
public:
    explicit TProgressForm(ProgressState &state, QWidget *parent = nullptr);

    QLabel *actionLabel() const { return m_action; }
    QProgressBar *bar() const { return m_bar; }
    QLabel *percentLabel() const { return m_percent; }
    QLabel *resultLabel() const { return m_result; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showState();
    void setShown(bool shown);

    ProgressState &m_state;
    QLabel *m_action;
    QProgressBar *m_bar;
    QLabel *m_percent;
    QLabel *m_result;
    QPushButton *m_cancel;
};
