#include "itemdialogs.h"

#include "store/zebobject.h"
#include "ui/kindcommands.h"

bool RunItemDialog(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &categoryNames)
{
    const ItemDialogRunner dialog = KindDialog(item.Kind());
    return dialog && dialog(item, isNew, parent, categoryNames);
}
