#include "optionscommand.h"

#include "guiservices.h"
#include "helptopics.h"
#include "mainform.h"
#include "optionsdialog.h"
#include "platform/profile.h"
#include "store/databasecontext.h"
#include "store/treenodes.h"

#include <QAction>
#include <QTimer>

TOptionsCommand::TOptionsCommand(TMainForm &mainForm, QObject *parent) : QObject(parent), m_form(mainForm)
{
    QAction *action = m_form.optionsAction();
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this] { OptionsItemClick(); });
}

bool TOptionsCommand::OptionsItemClick()
{
    DatabaseContext &context = m_form.Nodes().Context();
    Profile profile;
    Settings::Options options = Settings::Options::Read(profile);
    // The names the window shows, which the dialog edits.
    options.categoryNames = m_form.categoryNames();
    OptionsState state(options, context.Tools(), context.Services());

    bool accepted = false;
    {
        TOptionPages dialog(state, m_form.imageList(), m_form.isVisible() ? &m_form : nullptr);
        if (dialSettings)
            dialog.setDialSettings(dialSettings);
        dialog.showHelp = [this] { m_form.services().ShowHelp(HelpTopics::Options); };
        if (onShown)
            QTimer::singleShot(0, &dialog, [this, &dialog] { onShown(dialog); });
        accepted = dialog.exec() == QDialog::Accepted;
    }

    bool written = false;
    if (accepted) {
        written = state.Write(profile);
        if (!written)
            m_form.services().ShowError(tr("The options were not saved: %1").arg(profile.errorString()));
        m_form.SetCategoryNames(state.options.categoryNames);
        if (reloadDialSettings)
            reloadDialSettings();
        if (setCallerId)
            setCallerId(state.options.callerId);
    }
    // The tools page acts on the live list, so whatever the result the menus follow it.
    m_form.BuildToolMenus();
    return accepted && written;
}
