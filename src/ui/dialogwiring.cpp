#include "dialogwiring.h"

#include "guiservices.h"
#include "mainform.h"
#include "ui/dialogs/itemdialogs.h"

#include <QCursor>

void WireDialogs(TMainForm &form)
{
    form.services().dialogRunner = [&form](TZEBObject &item, bool isNew) {
        return RunItemDialog(item, isNew, &form, form.categoryNames());
    };
    form.services().categoryChooser = [&form](qint32 current) {
        return RunCategoryPopup(current, form.categoryNames(), &form, QCursor::pos());
    };
}
