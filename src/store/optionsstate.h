#pragma once

#include "platform/programsettings.h"

#include <QString>

class ItemServices;
class Profile;
class TToolItem;
class TToolItems;

// What the options dialog does, without widgets. The browser, mail, caller-ID and
// category choices are kept in `options` until OK writes them; tool edits act at once
// on the live tool list (Cancel does not undo them; the list is written at program end).
class OptionsState
{
public:
    OptionsState(const Settings::Options &options, TToolItems &tools, ItemServices &services);

    Settings::Options options;

    // Browser/Mail page: the radio button (1 to 3) of a stored "INetMail" value, 0 for
    // none; and the value OK writes for the buttons (3 when neither of the first two).
    static int MailButtonFor(int method);
    static int MailMethodFor(bool first, bool second);

    // Tools page.
    struct ToolFields
    {
        QString caption;
        QString fileName;
        QString arguments;
        bool allowAddress = false;
    };
    enum class Field { Description, FileName, Arguments, AllowAddress };
    TToolItems &tools() { return m_tools; }
    // Shows the tool at index (none for an index out of range): its fields, which
    // edits then change. Another tool's selection never receives them.
    ToolFields SelectTool(int index);
    TToolItem *ShownTool() const { return m_shown; }
    // The shown tool's row, or -1.
    int ShownRow() const;
    // Leaving a field: the fields go into the shown tool (the file name, which fetches
    // the icon again, only when the field left was the file name). True when the
    // row must be redrawn (description or file name); nothing without a shown tool.
    bool CommitTool(const ToolFields &fields, Field left);
    // A tool is any executable file (a program or script the user may run).
    static bool IsProgramFile(const QString &path);
    // The caption of a new tool: the file's name without a trailing ".exe".
    static QString ToolCaption(const QString &path);
    // "New" with a chosen file: appended and shown when it is a program; false
    // otherwise, and nothing is added.
    bool NewTool(const QString &path);
    // "Delete": the shown tool itself, also where two share a caption.
    bool DeleteShownTool();

    // Categories page.
    // Shows the name at index (0-based); an empty text for none.
    QString SelectCategory(int index);
    int SelectedCategory() const { return m_category; }
    // Leaving the name field: a name of more than blanks replaces the selected one
    // (cleaned); an empty or blank one leaves it. True when the name changed.
    bool CommitCategoryName(const QString &text);

    // OK: writes the options (see Settings::Options::Write).
    bool Write(Profile &profile) const { return options.Write(profile); }

private:
    TToolItems &m_tools;
    ItemServices &m_services;
    TToolItem *m_shown = nullptr;
    int m_category = -1;
};
