#include "programend.h"

#include "databasecommands.h"
#include "mainwinstate.h"
#include "platform/profile.h"
#include "store/itemservices.h"
#include "store/toolitems.h"
#include "store/treenodes.h"

bool SaveAtProgramEnd(TTreeNodes &nodes, TMainWinState *winState, Profile &profile)
{
    if (!DatabaseCommands::Write(nodes))
        return false;
    if (winState)
        winState->Finish(profile);
    // Writes the file, the layouts with it.
    const bool written = nodes.Context().Tools().Save(profile) && (!profile.hasPendingChanges() || profile.save());
    if (!written && !profile.errorString().isEmpty())
        nodes.Context().Services().ShowError(profile.errorString());
    return true;
}
