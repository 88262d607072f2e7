#pragma once

#include <QDialog>
#include <QPoint>
#include <QStringList>
#include <optional>

class QListWidget;

// The small modal window in which an item's categories are ticked. There is no
// cancel: whatever is ticked when it closes is the item's new set.
class TCategoryPopup : public QDialog
{
    Q_OBJECT
public:
    explicit TCategoryPopup(QWidget *parent = nullptr);

    // Shows the names (at most 32) with the bits of mask ticked.
    void Fill(const QStringList &names, qint32 mask);
    // The ticked entries as bits; categories that had no entry keep their bit.
    qint32 GetMask() const;

    QListWidget *list() const { return m_list; }

private:
    QListWidget *m_list;
    qint32 m_hiddenBits = 0;
};

