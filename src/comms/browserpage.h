#pragma once

#include "platform/browserlink.h"

#include <optional>

class HttpTransport;
class TTreeNode;
class TZEBObject;

// The page the browser shows, asked of its remote-debugging endpoint on 127.0.0.1;
// nothing when no browser answers there (or answers with no page).
std::optional<BrowserLink::Page> CurrentBrowserPage(HttpTransport &transport, int port);

// A website item for the page below node (titled with the address when the page has
// no title). Throws ERemoteParent inside a remote folder.
TZEBObject *AddBrowserPage(TTreeNode *node, const BrowserLink::Page &page);
