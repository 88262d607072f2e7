#pragma once

#include <QWidget>
#include <array>

class QLabel;

// The three panels of the status bar, 350, 75 and 500 pixels wide, each wider when
// its text needs it; cut off at the window's edge rather than widening the window.
class TStatusPanels : public QWidget
{
    Q_OBJECT
public:
    explicit TStatusPanels(QWidget *parent = nullptr);
    static constexpr std::array<int, 3> Widths{350, 75, 500};

    QString text(int panel) const;
    void setText(int panel, const QString &text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int panelWidth(size_t panel) const;
    void placePanels();

    std::array<QLabel *, 3> m_labels{};
};
