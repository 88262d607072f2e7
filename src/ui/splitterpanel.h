#pragma once

#include <QFrame>

// The 6-pixel panel between the left pane and the item list. A press starts a
// drag, each move reports the pointer's position in the panel, release ends it.
class TSplitterPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TSplitterPanel(QWidget *parent = nullptr);
    bool dragging() const { return m_dragging; }

signals:
    void dragMoved(int x);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_dragging = false;
};
