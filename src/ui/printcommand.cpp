#include "mainform.h"

#include "exchange/gui/reportform.h"
#include "store/zebobject.h"

#include <QPageSetupDialog>
#include <QPrinter>

namespace {

QPrinter &ensurePrinter(std::unique_ptr<QPrinter> &printer)
{
    if (!printer)
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

} // namespace

void TMainForm::PrintClick()
{
    TTreeNode *node = SelectedNode() ? SelectedNode() : RootNode();
    // An address chosen in the list is the one an envelope goes to.
    const TZEBObject *address = nullptr;
    for (const TZEBObject *item : selectedItems())
        if (!address && item->Kind() == ItemKind::Address)
            address = item;
    TReportForm form(ensurePrinter(m_printer), this);
    form.Initialize(node, address);
    form.exec();
}

void TMainForm::PrinterSetupClick()
{
    QPageSetupDialog dialog(&ensurePrinter(m_printer), this);
    dialog.exec();
}
