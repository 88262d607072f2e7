#include "errorreport.h"

#include "itemservices.h"
#include "recordfile.h"

QString ErrorText(const std::exception &e) { return QString::fromUtf8(e.what()); }

void ReportException(const std::exception &e, ItemServices &services)
{
    if (dynamic_cast<const ESaveError *>(&e) || dynamic_cast<const ESilentError *>(&e))
        return;
    services.ShowError(ErrorText(e));
}
