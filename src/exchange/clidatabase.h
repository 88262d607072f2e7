#pragma once

#include "store/recordfile.h"
#include "store/treenodes.h"

#include <QString>

class QTextStream;
class RemotePath;

// The database as the command-line tool reads it: the data directory's "mira.dat"
// below a root made as the program makes it.
class CliDatabase
{
public:
    CliDatabase();

    // Reads "mira.dat" of the current directory. A missing file is an empty database.
    // A file that stops early keeps what was read; the error and its line are kept.
    void Load();
    bool Exists() const { return m_exists; }
    bool LoadFailed() const { return !m_error.isEmpty(); }
    // Every line of the file was read: the load neither stopped nor dropped lines.
    bool ReadWhole() const { return !LoadFailed() && m_notes.droppedLines == 0; }
    QString LoadError() const { return m_error; }
    int LoadErrorLine() const { return m_errorLine; }
    // "line N: message", or the message when the line is not known.
    QString LoadErrorText() const;
    // What the load took and passed over.
    const RecordFile::ReadNotes &Notes() const { return m_notes; }

    TTreeNodes &Nodes() { return m_nodes; }
    TTreeNode *Root() const { return m_root; }

    // Reads the contents of the remote folders with a readable local source at or
    // below node (their contents are not part of "mira.dat"). Problems go to err.
    static void RefreshRemote(TTreeNode *node, QTextStream &err);
    // The same for a single folder, when it is one.
    static void RefreshIfRemote(TTreeNode *node, QTextStream &err);

private:
    static void RefreshWithin(TTreeNode *node, const RemotePath &above, QTextStream &err);

    TTreeNodes m_nodes;
    TTreeNode *m_root = nullptr;
    bool m_exists = false;
    QString m_error;
    int m_errorLine = 0;
    RecordFile::ReadNotes m_notes;
};
