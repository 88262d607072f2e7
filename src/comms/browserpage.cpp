#include "browserpage.h"

#include "httperrors.h"
#include "httptransport.h"
#include "exchange/htmlscan.h"
#include "store/itemfactory.h"
#include "store/kinds.h"

namespace {
// The endpoint is on this machine: it answers at once or not at all.
constexpr int DebugTimeOutSeconds = 5;
}

std::optional<BrowserLink::Page> CurrentBrowserPage(HttpTransport &transport, int port)
{
    try {
        auto page = BrowserLink::PageFromDebugList(
            transport.GetBody(BrowserLink::DebugListUrl(port), DebugTimeOutSeconds));
        // The browser escapes the page title as HTML ("&amp;"); a decoded character may be
        // a control one again.
        if (page)
            page->title = BrowserLink::CleanTitle(DecodeHtmlEntities(page->title));
        return page;
    } catch (const ESocketError &) {
        return std::nullopt;
    }
}

TZEBObject *AddBrowserPage(TTreeNode *node, const BrowserLink::Page &page)
{
    const QString title = page.title.isEmpty() ? page.url.left(BrowserLink::MaxTitleLength) : page.title;
    return CreateItem(ItemKind::Website, title, page.url, QString(), node, QString(), 0);
}
