#include "itemdialogs.h"

#include "store/zebobject.h"
#include "ui/kindcommands.h"

bool RunItemDialog(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &categoryNames)
{
    const KindCommand *command = FindKindCommand(item.Kind());
    return command && command->dialog && command->dialog(item, isNew, parent, categoryNames);
}
