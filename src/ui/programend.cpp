#include "programend.h"

#include "databasecommands.h"
#include "mainwinstate.h"
#include "platform/profile.h"
#include "store/itemservices.h"
#include "store/toolitems.h"

bool SaveAtProgramEnd(TTreeNodes &nodes, TMainWinState *winState, const TToolItems &tools, Profile &profile)
{
    if (!DatabaseCommands::Write(nodes))
        return false;
    if (winState)
        winState->Finish(profile);
    // Writes the file, the layouts with it.
    const bool written = tools.Save(profile) && (!profile.hasPendingChanges() || profile.save());
    if (!written && !profile.errorString().isEmpty())
        Services().ShowError(profile.errorString());
    return true;
}
