#include "mainformlayout.h"

#include "mainform.h"

#include <QAction>
#include <QLayout>
#include <QStatusBar>
#include <QToolBar>

namespace {

void tieBar(QAction *check, QToolBar *bar)
{
    QObject::connect(check, &QAction::toggled, bar, &QWidget::setVisible);
    QObject::connect(bar, &QToolBar::visibilityChanged, check, [check, bar](bool visible) {
        // Hidden with the window is not closed by the user.
        if (visible || bar->isHidden())
            check->setChecked(visible);
    });
}

void applyBar(QAction *check, QWidget *bar, bool shown)
{
    check->setChecked(shown);
    bar->setVisible(shown);
}

} // namespace

TMainFormLayout::TMainFormLayout(TMainForm &form)
    : m_form(form)
{
    tieBar(form.toolbarAction(), form.toolBar());
    tieBar(form.newItemBarAction(), form.newItemBar());
    tieBar(form.findBarAction(), form.findBar());
    tieBar(form.tipBarAction(), form.tipBar());
    QObject::connect(form.statusBarAction(), &QAction::toggled, form.statusBarWidget(), &QWidget::setVisible);
}

TWinLayout TMainFormLayout::GetSettings() const
{
    TWinLayout layout;
    layout.Toolbar = m_form.toolbarAction()->isChecked();
    layout.Newbar = m_form.newItemBarAction()->isChecked();
    layout.Findbar = m_form.findBarAction()->isChecked();
    layout.Tipbar = m_form.tipBarAction()->isChecked();
    layout.Statusbar = m_form.statusBarAction()->isChecked();
    // A maximised or minimised window is remembered by its normal place.
    const bool normal = !(m_form.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QPoint place = normal ? m_form.pos() : m_form.normalGeometry().topLeft();
    const QSize size = normal ? m_form.size() : m_form.normalGeometry().size();
    layout.Left = place.x();
    layout.Top = place.y();
    layout.Width = size.width();
    layout.Height = size.height();
    layout.Split = m_form.treeWidth();
    layout.Style = ViewStyleCode(m_form.viewStyle());
    layout.ColPos1 = m_form.columnWidth(0);
    layout.ColPos2 = m_form.columnWidth(1);
    layout.ColPos3 = m_form.columnWidth(2);
    return layout;
}

void TMainFormLayout::ApplySettings(const TWinLayout &layout)
{
    if (m_form.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        m_form.setWindowState(m_form.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    // Bars and tree first: what they need bounds how small the window can be.
    applyBar(m_form.toolbarAction(), m_form.toolBar(), layout.Toolbar);
    applyBar(m_form.newItemBarAction(), m_form.newItemBar(), layout.Newbar);
    applyBar(m_form.findBarAction(), m_form.findBar(), layout.Findbar);
    applyBar(m_form.tipBarAction(), m_form.tipBar(), layout.Tipbar);
    applyBar(m_form.statusBarAction(), m_form.statusBarWidget(), layout.Statusbar);
    m_form.setTreeWidth(layout.Split);
    // The window's minimum size follows its layout only when that is redone.
    if (QLayout *frame = m_form.layout())
        frame->activate();
    m_form.move(layout.Left, layout.Top);
    m_form.resize(layout.Width, layout.Height);
    if (const std::optional<ViewStyle> style = ViewStyleFromCode(layout.Style))
        m_form.setViewStyle(*style);
    m_form.setColumnWidth(0, layout.ColPos1);
    m_form.setColumnWidth(1, layout.ColPos2);
    m_form.setColumnWidth(2, layout.ColPos3);
}
