#include "toolmenus.h"

#include "imagelist.h"
#include "store/databasecontext.h"
#include "store/toolitems.h"

#include <QMenu>

void AddToolEntries(QMenu *menu, DatabaseContext &context, const TImageList &images)
{
    const TToolItems &tools = context.Tools();
    for (int i = 0; i < tools.Count(); ++i) {
        const TToolItem *tool = tools.Items(i);
        // A caption is the user's text: an ampersand in it is no mnemonic.
        QString caption = tool->Caption();
        caption.replace(u'&', QLatin1String("&&"));
        QAction *entry = menu->addAction(images.Icon(tool->ImageIndex()), caption);
        QObject::connect(entry, &QAction::triggered, menu, [&context, i, fileName = tool->FileName()] {
            // The tool of this row, as long as it is still the one the entry was made for.
            const TToolItem *current = context.Tools().Items(i);
            if (current && current->FileName() == fileName)
                current->Click(context.Services());
        });
    }
}
