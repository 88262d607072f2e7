#pragma once

class Profile;
class TMainWinState;
class TTreeNodes;

// What the program writes when it ends: the database, then both window layouts,
// then the tool list. When the database cannot be saved its error is shown and
// the layouts and tools are left unwritten; false then.
bool SaveAtProgramEnd(TTreeNodes &nodes, TMainWinState *winState, Profile &profile);
