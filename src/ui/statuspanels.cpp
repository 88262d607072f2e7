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

QString TStatusPanels::text(int panel) const
{
    return panel >= 0 && panel < 3 ? m_labels[size_t(panel)]->text() : QString();
}

void TStatusPanels::setText(int panel, const QString &text)
{
    if (panel < 0 || panel >= 3 || m_labels[size_t(panel)]->text() == text)
        return;
    m_labels[size_t(panel)]->setText(text);
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
