#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;

// Shows one usage tip at a time; "Next Tip" steps through the list.
class TTipBar : public QWidget
{
    Q_OBJECT
public:
    explicit TTipBar(QWidget *parent = nullptr);

    static const QStringList &Tips();
    int currentTip() const { return m_current; }
    QString currentText() const;
    void showTip(int index);
    void showRandomTip();
    void showNextTip();

private:
    QLabel *m_label = nullptr;
    int m_current = 0;
};
