#include "statuspanels.h"

#include <QLabel>

TStatusPanels::TStatusPanels(QWidget *parent) : QWidget(parent)
{
    for (auto &label : m_labels) {
        label = new QLabel(this);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
    }
}

QString TStatusPanels::text(StatusPanel panel) const { return m_labels[size_t(panel)]->text(); }

void TStatusPanels::setText(StatusPanel panel, const QString &text)
{
    QLabel *label = m_labels[size_t(panel)];
    if (label->text() == text)
        return;
    label->setText(text);
    updateGeometry();
    placePanels();
}

int TStatusPanels::panelWidth(size_t panel) const
{
    return qMax(Widths[panel], m_labels[panel]->sizeHint().width());
}

QSize TStatusPanels::sizeHint() const
{
    return {panelWidth(0) + panelWidth(1) + panelWidth(2), m_labels[0]->sizeHint().height()};
}

QSize TStatusPanels::minimumSizeHint() const { return {0, m_labels[0]->sizeHint().height()}; }

void TStatusPanels::resizeEvent(QResizeEvent *) { placePanels(); }

void TStatusPanels::placePanels()
{
    int x = 0;
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const int width = panelWidth(i);
        m_labels[i]->setGeometry(x, 0, width, height());
        x += width;
    }
}
