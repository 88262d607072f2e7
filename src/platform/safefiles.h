#pragma once

#include <QString>
#include <sys/types.h>

class QFile;

// Opening the files the database lives in without being led astray: a pipe or a
// device where a file belongs, or a symlink planted where a fresh file is made.
namespace SafeFiles {

// The system's text for an error number ("No space left on device").
QString ErrorText(int error);

// Opens name, a regular file or a symlink to one, for reading. Never waits on a pipe
// and never reads a device: anything but a regular file is refused (NotAFile). The
// reason for any failure is in *why.
enum class Opened { Yes, CannotOpen, NotAFile };
Opened OpenForReading(QFile &file, const QString &name, QString *why);

// Why name, which is of the given mode, is not read or written as a file.
QString NotAFileText(const QString &name, mode_t mode);

// Creates name afresh for writing: whatever had that name is removed first, and the
// new file is made where name stands, never through a symlink. It is opened for
// reading and writing; mode is narrowed by the umask. False with the reason in *why.
bool CreateFresh(QFile &file, const QString &name, mode_t mode, QString *why);

// The name a chain of symlinks starting at name ends in (name itself when it is no
// link); the end need not exist. Empty, with the reason in *why, for a loop.
QString FollowLinks(const QString &name, QString *why);

} // namespace SafeFiles
