#pragma once

#include "contactobject.h"

// The child titles the pages of a new person's or organization's dialog start with.
TPrimaryPages NewPrimaryPages();

// Whether the owner has any child: a leaf item or (a website) a child node.
bool HasContactChildren(const TContactObject &owner);

// The pages an existing person's or organization's dialog opens with: each title
// the primary field of its kind, each page filled from that child. An owner without
// children opens with empty pages, so OK creates nothing from stale primary fields.
TPrimaryPages PrimaryPagesOf(const TContactObject &owner);

// Fills the page of a contact kind (5, 6, 8, 7 or 4) from the owner's child of that
// title and kind. False, leaving the page as it was, when there is no such child.
// The page's title is not touched.
bool ReadPrimaryPage(const TContactObject &owner, ItemKind kind, const QString &title, TPrimaryPages &pages);
