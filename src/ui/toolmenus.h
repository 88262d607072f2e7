#pragma once

class DatabaseContext;
class QMenu;
class TImageList;

// Appends one entry per configured tool to menu, in list order, with the tool's icon
// and caption; choosing it starts the tool without arguments. The entries are made
// again whenever the list changes, so an entry whose tool has gone does nothing.
void AddToolEntries(QMenu *menu, DatabaseContext &context, const TImageList &images);
