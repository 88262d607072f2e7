#include "browserpage.h"

#include "httperrors.h"
#include "httptransport.h"
#include "store/itemfactory.h"
#include "store/kinds.h"

namespace {
// The endpoint is on this machine: it answers at once or not at all.
constexpr int DebugTimeOutSeconds = 5;
}

std::optional<BrowserLink::Page> CurrentBrowserPage(HttpTransport &transport, int port)
{
    try {
        return BrowserLink::PageFromDebugList(
            transport.GetBody(BrowserLink::DebugListUrl(port), DebugTimeOutSeconds));
    } catch (const ESocketError &) {
        return std::nullopt;
    }
}

TZEBObject *AddBrowserPage(TTreeNode *node, const BrowserLink::Page &page)
{
    const QString title = page.title.isEmpty() ? page.url.left(BrowserLink::MaxTitleLength) : page.title;
    return CreateItem(ItemKind::Website, title, page.url, QString(), node, QString(), 0);
}
