#pragma once

class TZEBObject;

// Whether an item lies inside a remote folder and so may not be changed: its own mark,
// or, for a leaf lying directly in a remote folder (whose mark is taken from its owner's
// owner), its owner's. A remote folder itself is the database's own and may be changed.
bool IsReadOnlyItem(const TZEBObject *item);
