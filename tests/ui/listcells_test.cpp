#include "mainformfixture.h"

#include "ui/dragfilelist.h"
#include "ui/listcells.h"

#include <QHeaderView>
#include <QListView>

// Every name shows whole in the icon and list formats, whatever the order of the rows.
TEST_F(MainFormTest, NamesShowWholeInEveryFormatUpToACap)
{
    const QString longest = QStringLiteral("Kim Sample-Whittington");
    const QString capped = QString(40, u'W');
    for (const QString &name : {QStringLiteral("E-Mail Office Address"), longest, QStringLiteral("Org"), capped,
                                QStringLiteral("We")})
        add(ItemKind::Phone, name);
    form->resize(900, 600);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->SelectNode(root);
    auto *view = qobject_cast<QListView *>(form->mainItems());
    ASSERT_NE(view, nullptr);
    const QFontMetrics metrics = view->fontMetrics();

    for (ViewStyle style : {ViewStyle::LargeIcons, ViewStyle::SmallIcons, ViewStyle::List}) {
        form->setViewStyle(style);
        view->doItemsLayout();
        for (int r = 0; r < form->itemModel()->rowCount(); ++r) {
            const QString name = form->itemModel()->captionAt(r);
            const QRect cell = view->visualRect(form->itemModel()->index(r, 0));
            if (style == ViewStyle::LargeIcons) {
                // Large icons wrap a long name inside the cell, under the icon.
                const int width = qMin(cell.width(), TListCellDelegate::MaxLargeCellWidth) - 12;
                const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, name);
                if (name != capped) {
                    EXPECT_GE(cell.height(), 32 + wrapped.height()) << qPrintable(name);
                }
                continue;
            }
            const int needed = view->iconSize().width() + qMin(metrics.horizontalAdvance(name),
                                                                int(TListCellDelegate::MaxNameWidth));
            EXPECT_GE(cell.width(), needed) << ViewStyleCode(style) << qPrintable(name);
        }
        // Beyond the cap a name is elided rather than widening every column.
        const QRect widest = view->visualRect(form->itemModel()->index(form->itemModel()->rowOf(root->Item()->ChildAt(3)), 0));
        EXPECT_LT(widest.width(), metrics.horizontalAdvance(capped)) << ViewStyleCode(style);
    }

    // A name that grows later widens the cells too.
    root->Item()->ChildAt(4)->SetTitle(longest + QStringLiteral(" Jr."));
    view->doItemsLayout();
    const QRect grown = view->visualRect(form->itemModel()->index(form->itemModel()->rowOf(root->Item()->ChildAt(4)), 0));
    EXPECT_GE(grown.width(), view->iconSize().width() + metrics.horizontalAdvance(longest + QStringLiteral(" Jr.")));

    // Details: the last column reaches the window's edge.
    form->setViewStyle(ViewStyle::Details);
    auto *details = qobject_cast<QTreeView *>(form->mainItems());
    ASSERT_NE(details, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(details->header()->length(), details->viewport()->width());
}
