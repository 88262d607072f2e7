#pragma once

#include <QStringList>

class QTextStream;

// Exit statuses of the command-line tool.
namespace CliExit {
enum : int {
    Ok = 0,
    NothingFound = 1, // find without a hit, check of a file that does not read whole
    BadInput = 2,     // usage, missing or unreadable files, export files not read whole, paths naming nothing
    Locked = 3,       // the desktop program or another mira writer holds the data directory
    Failed = 4,       // the database could not be read or written, or not read whole where that loses records
};
}

// How a run ends. The tool's own process ends as soon as everything is written, flushed
// and closed, leaving its database to the system (freeing a large tree item by item takes
// longer than the load); a caller that goes on frees it.
enum class CliEnd { FreeDatabase, EndProcess };

// Runs "mira" with its arguments (without the program name). The data directory
// becomes the current directory while a command runs. With CliEnd::EndProcess it does
// not return: the process exits with the status.
int RunMiraCli(const QStringList &arguments, QTextStream &out, QTextStream &err,
               CliEnd end = CliEnd::FreeDatabase);
