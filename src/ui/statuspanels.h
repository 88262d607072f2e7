#pragma once

#include <QWidget>
#include <array>

class QLabel;

// The panels from left to right.
enum class StatusPanel : int {
    Hint = 0,   // the hint of the command under the mouse, and what the program is doing
    Count = 1,  // how many items the list shows
    Folder = 2, // the selected node's name
};

// The three panels of the status bar, 350, 75 and 500 pixels wide, each wider when
// its text needs it; cut off at the window's edge rather than widening the window.
class TStatusPanels : public QWidget
{
    Q_OBJECT
public:
    explicit TStatusPanels(QWidget *parent = nullptr);
    static constexpr std::array<int, 3> Widths{350, 75, 500};

    QString text(StatusPanel panel) const;
    void setText(StatusPanel panel, const QString &text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int panelWidth(size_t panel) const;
    void placePanels();

    std::array<QLabel *, 3> m_labels{};
};
