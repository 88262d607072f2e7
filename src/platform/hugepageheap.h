#pragma once

// A large address book is millions of small allocations; with the heap on transparent
// huge pages the kernel spends far less time handing out and clearing pages. glibc reads
// that choice only when a program starts, so a program that wants it starts itself again
// once, first thing in main(), with the variable set. Nothing happens where the system
// gives huge pages only when asked and the choice is already made (or the user made it),
// where it gives them always or never, or when the new start cannot be made: then this returns.
// The new start puts the environment back as it was, so the programs it starts in turn
// inherit the user's own.
void RestartWithHugePageHeap(char **argv);
// Sets the environment so that the program started next (with exec) puts its heap on huge
// pages and, calling RestartWithHugePageHeap first thing, puts the environment back as it was.
// False, with nothing changed, where nothing is to be done (as above).
bool AskHugePageHeapOfNextStart();
