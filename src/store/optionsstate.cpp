#include "optionsstate.h"

#include "toolitems.h"

#include <QFileInfo>
#include <memory>

OptionsState::OptionsState(const Settings::Options &o, TToolItems &tools, ItemServices &services)
    : options(o), m_tools(tools), m_services(services)
{
}

int OptionsState::MailButtonFor(int method) { return method >= 1 && method <= 3 ? method : 0; }

int OptionsState::MailMethodFor(bool first, bool second) { return first ? 1 : second ? 2 : 3; }

OptionsState::ToolFields OptionsState::SelectTool(int index)
{
    m_shown = m_tools.Items(index);
    if (!m_shown)
        return {};
    return {m_shown->Caption(), m_shown->FileName(), m_shown->Arguments(), m_shown->AllowAddress()};
}

int OptionsState::ShownRow() const
{
    for (int i = 0; i < m_tools.Count(); ++i)
        if (m_tools.Items(i) == m_shown)
            return i;
    return -1;
}

bool OptionsState::CommitTool(const ToolFields &fields, Field left)
{
    if (!m_shown)
        return false;
    m_shown->SetCaption(fields.caption);
    m_shown->SetArguments(fields.arguments);
    m_shown->SetAllowAddress(fields.allowAddress);
    if (left == Field::FileName && fields.fileName != m_shown->FileName())
        m_shown->SetFileName(fields.fileName, m_services);
    return left == Field::Description || left == Field::FileName;
}

bool OptionsState::IsProgramFile(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isExecutable();
}

QString OptionsState::ToolCaption(const QString &path) { return Settings::ProgramFromPath(QFileInfo(path).fileName()); }

bool OptionsState::NewTool(const QString &path)
{
    if (!IsProgramFile(path))
        return false;
    const QString file = QFileInfo(path).absoluteFilePath();
    m_shown = m_tools.Add(std::make_unique<TToolItem>(ToolCaption(file), file, QString(), QStringLiteral("0")));
    return true;
}

bool OptionsState::DeleteShownTool()
{
    const int row = ShownRow();
    m_shown = nullptr;
    return row >= 0 && m_tools.DeleteAt(row);
}

QString OptionsState::SelectCategory(int index)
{
    m_category = index >= 0 && index < options.categoryNames.size() ? index : -1;
    return m_category < 0 ? QString() : options.categoryNames.at(m_category);
}

bool OptionsState::CommitCategoryName(const QString &text)
{
    const QString name = Settings::CleanCategoryName(text);
    if (m_category < 0 || name.isEmpty() || name == options.categoryNames.at(m_category))
        return false;
    options.categoryNames[m_category] = name;
    return true;
}
