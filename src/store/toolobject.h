#pragma once

#include "launchobject.h"

// A tool address (kind 12): an address (Value) handed to a configured add-on
// program. Launching it starts ToolFile with ToolArgs followed by the address as
// one argument; a program with arguments no configured tool has starts only when
// the user agrees.
class TToolObject : public TLaunchObject
{
public:
    TToolObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                const QString &dataLine);

    // The data line of a new tool address for a configured program.
    static QString NewDataLine(const QString &toolFile, const QString &toolArgs);

    const QString &ToolFile() const { return m_toolFile; }
    const QString &ToolArgs() const { return m_toolArgs; }

    void LoadFields(const QString &dataLine) override;
    void AppendRecord(QByteArray &out, int level) const override;
    void Launch() override;

    // What the tool address dialog's OK does: with a non-empty title, takes the
    // title, address and comment. False, changing nothing, otherwise.
    bool ApplyDialog(const QString &title, const QString &address, const QString &comment);

private:
    QString m_toolFile;
    QString m_toolArgs;
};
