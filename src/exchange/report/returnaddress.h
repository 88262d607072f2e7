#pragma once

#include <QStringList>

// "ret_addr.dat" in the data directory: the envelope's return address, one line per line.
namespace ReturnAddress {
extern const char *const FileName;
// The lines; none when the file is missing or no file. A file larger than any address
// (64 KiB) is read no further.
QStringList Read();
// Replaces the file once complete, lines ending CR LF. Throws EInOutError.
void Write(const QStringList &lines);
} // namespace ReturnAddress
