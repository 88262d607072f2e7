#include "splitterpanel.h"

#include <QMouseEvent>

TSplitterPanel::TSplitterPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("WinSplitterPanel"));
    setFixedWidth(6);
    setCursor(Qt::SizeHorCursor);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
}

void TSplitterPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = true;
    QFrame::mousePressEvent(event);
}

void TSplitterPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        emit dragMoved(qRound(event->position().x()));
    QFrame::mouseMoveEvent(event);
}

void TSplitterPanel::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QFrame::mouseReleaseEvent(event);
}
