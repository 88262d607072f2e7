#include "optionsdialog.h"

#include "imagelist.h"
#include "store/toolitems.h"
#include "toolrows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

TOptionPages::TOptionPages(OptionsState &state, const TImageList &images, QWidget *parent)
    : QDialog(parent), m_state(state), m_images(images), m_pages(new QTabWidget(this))
{
    setObjectName(QStringLiteral("OptionPages"));
    setWindowTitle(tr("Options"));
    chooseFile = [this](const QString &title) {
        // An existing file; the current directory stays as it is.
        return QFileDialog::getOpenFileName(this, title);
    };

    auto *layout = new QVBoxLayout(this);
    m_pages->addTab(buildBrowserPage(), tr("Browser/Mail"));
    m_pages->addTab(buildToolsPage(), tr("Tools Menu"));
    m_pages->addTab(buildCategoriesPage(), tr("Categories"));
    m_pages->addTab(buildPhonePage(), tr("Phone Device"));
    layout->addWidget(m_pages);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *help = buttons->addButton(tr("&Help"), QDialogButtonBox::HelpRole);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (showHelp)
            showHelp();
    });
    layout->addWidget(buttons);
}

void TOptionPages::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A dialog border: the size the largest page needs, the same on every page.
    if (!event->spontaneous()) {
        QSize size = sizeHint();
        for (int i = 0; i < m_pages->count(); ++i)
            size = size.expandedTo(m_pages->widget(i)->sizeHint() + (sizeHint() - m_pages->currentWidget()->sizeHint()));
        setFixedSize(size);
    }
    // Centred on the screen, wherever the main window is.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TOptionPages::~TOptionPages()
{
    // A dialog destroyed while shown hides itself first; its fields must not commit then.
    for (QObject *field : {static_cast<QObject *>(m_description), static_cast<QObject *>(m_fileName),
                           static_cast<QObject *>(m_arguments), static_cast<QObject *>(m_catName),
                           static_cast<QObject *>(m_toolsList), static_cast<QObject *>(m_catList)})
        disconnect(field, nullptr, this, nullptr);
}

QWidget *TOptionPages::buildBrowserPage()
{
    const Settings::Options &o = m_state.options;
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);

    auto *browser = new QGroupBox(tr("Preferred Browser"), page);
    auto *form = new QFormLayout(browser);
    m_dde = new QComboBox(browser);
    m_dde->setObjectName(QStringLiteral("DDE"));
    m_dde->setEditable(true);
    m_dde->addItems({QStringLiteral("NETSCAPE"), QStringLiteral("IExplore"), QStringLiteral("Mosaic")});
    m_dde->setCurrentText(o.browserDde);
    form->addRow(tr("DDE Name"), m_dde);
    auto *pathRow = new QHBoxLayout;
    m_path = new QLineEdit(o.browserPath, browser);
    m_path->setObjectName(QStringLiteral("Path"));
    m_path->setPlaceholderText(tr("the desktop's default browser"));
    m_path->setMinimumWidth(260);
    auto *select = new QPushButton(QStringLiteral("..."), browser);
    select->setObjectName(QStringLiteral("SelectPath"));
    select->setFixedWidth(select->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    connect(select, &QPushButton::clicked, this, &TOptionPages::SelectPathClick);
    pathRow->addWidget(m_path);
    pathRow->addWidget(select);
    form->addRow(tr("Executable File Name"), pathRow);
    layout->addWidget(browser);

    auto *mail = new QGroupBox(tr("Internet E-Mail"), page);
    auto *mailLayout = new QVBoxLayout(mail);
    auto *text = new QLabel(tr("Select the method to use for sending E-Mail to an Internet address."), mail);
    text->setWordWrap(true);
    mailLayout->addWidget(text);
    const char *const captions[] = {QT_TR_NOOP("Use \"mailto\" protocol"), QT_TR_NOOP("Use MS Messaging (MAPI)"),
                                    QT_TR_NOOP("Use Web Browser ")};
    const int chosen = OptionsState::MailButtonFor(o.mailMethod);
    for (int i = 0; i < 3; ++i) {
        m_mail[i] = new QRadioButton(tr(captions[i]), mail);
        m_mail[i]->setObjectName(QStringLiteral("EMailOpt%1").arg(i + 1));
        m_mail[i]->setChecked(chosen == i + 1);
        mailLayout->addWidget(m_mail[i]);
    }
    layout->addWidget(mail);
    layout->addStretch();
    return page;
}

QWidget *TOptionPages::buildToolsPage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QHBoxLayout(page);

    auto *left = new QVBoxLayout;
    m_toolsList = new QListWidget(page);
    m_toolsList->setObjectName(QStringLiteral("ToolsList"));
    SetUpToolList(m_toolsList);
    for (int i = 0; i < m_state.tools().Count(); ++i)
        addToolRow(i);
    left->addWidget(m_toolsList);
    auto *buttons = new QHBoxLayout;
    auto *newTool = new QPushButton(tr("New"), page);
    m_deleteTool = new QPushButton(tr("Delete"), page);
    buttons->addWidget(newTool);
    buttons->addWidget(m_deleteTool);
    left->addLayout(buttons);
    layout->addLayout(left, 1);

    auto *attributes = new QGroupBox(tr("Tool Attributes"), page);
    auto *form = new QVBoxLayout(attributes);
    const auto field = [&](const QString &label, const char *name) {
        auto *edit = new QLineEdit(attributes);
        edit->setObjectName(QLatin1String(name));
        auto *caption = new QLabel(label, attributes);
        caption->setBuddy(edit);
        form->addWidget(caption);
        form->addWidget(edit);
        return edit;
    };
    m_description = field(tr("Description"), "Description");
    m_fileName = field(tr("Executable File Name"), "FilenameEdit");
    m_arguments = field(tr("Program Arguments"), "Arguments");
    m_address = new QCheckBox(tr("Allow address item creation"), attributes);
    m_address->setObjectName(QStringLiteral("AddressCheckBox"));
    form->addWidget(m_address);
    form->addStretch();
    layout->addWidget(attributes, 1);

    const std::pair<QLineEdit *, OptionsState::Field> edits[] = {{m_description, OptionsState::Field::Description},
                                                                 {m_fileName, OptionsState::Field::FileName},
                                                                 {m_arguments, OptionsState::Field::Arguments}};
    for (const auto &[edit, which] : edits) {
        connect(edit, &QLineEdit::textEdited, this, [this, which = which] { m_pendingTool = which; });
        connect(edit, &QLineEdit::editingFinished, this, [this, which = which] {
            if (m_pendingTool)
                AttributesChange(which);
        });
    }
    connect(m_address, &QCheckBox::clicked, this, [this] { AttributesChange(OptionsState::Field::AllowAddress); });
    connect(m_toolsList, &QListWidget::currentRowChanged, this, &TOptionPages::ToolsListClick);
    connect(newTool, &QPushButton::clicked, this, &TOptionPages::NewToolBtnClick);
    connect(m_deleteTool, &QPushButton::clicked, this, &TOptionPages::DelToolBtnClick);
    ToolsListClick(-1);
    return page;
}

QWidget *TOptionPages::buildCategoriesPage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    auto *group = new QGroupBox(tr("Category Names"), page);
    auto *groupLayout = new QVBoxLayout(group);
    m_catList = new QListWidget(group);
    m_catList->setObjectName(QStringLiteral("CatList"));
    m_catList->addItems(m_state.options.categoryNames);
    groupLayout->addWidget(m_catList);
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(tr("Edit Name:"), group);
    m_catName = new QLineEdit(group);
    m_catName->setObjectName(QStringLiteral("CatName"));
    label->setBuddy(m_catName);
    row->addWidget(label);
    row->addWidget(m_catName, 1);
    groupLayout->addLayout(row);
    layout->addWidget(group);

    connect(m_catList, &QListWidget::currentRowChanged, this, &TOptionPages::CatListClick);
    connect(m_catName, &QLineEdit::textEdited, this, [this] { m_catNameEdited = true; });
    connect(m_catName, &QLineEdit::editingFinished, this, &TOptionPages::CatNameExit);
    return page;
}

QWidget *TOptionPages::buildPhonePage()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    auto *dialer = new QGroupBox(tr("Telephone Dialer"), page);
    auto *dialerLayout = new QHBoxLayout(dialer);
    m_dialSettingsBtn = new QPushButton(tr("Dial Settings..."), dialer);
    m_dialSettingsBtn->setObjectName(QStringLiteral("DialSettingsBtn"));
    m_dialSettingsBtn->setEnabled(false);
    connect(m_dialSettingsBtn, &QPushButton::clicked, this, &TOptionPages::DialSettingsBtnClick);
    dialerLayout->addWidget(m_dialSettingsBtn);
    dialerLayout->addStretch();
    layout->addWidget(dialer);

    auto *callerId = new QGroupBox(tr("Caller ID"), page);
    auto *callerLayout = new QVBoxLayout(callerId);
    auto *text = new QLabel(tr("To use this feature, you must have Caller ID service on your phone line, and a "
                               "Caller ID compatible modem attached to your computer."),
                            callerId);
    text->setWordWrap(true);
    callerLayout->addWidget(text);
    m_callerId = new QCheckBox(tr("Enable Caller ID"), callerId);
    m_callerId->setObjectName(QStringLiteral("CallerIDCheck"));
    m_callerId->setChecked(m_state.options.callerId);
    callerLayout->addWidget(m_callerId);
    layout->addWidget(callerId);
    layout->addStretch();
    return page;
}

QRadioButton *TOptionPages::mailButton(int n) const { return n >= 1 && n <= 3 ? m_mail[n - 1] : nullptr; }

void TOptionPages::setDialSettings(std::function<void(QWidget *)> run)
{
    m_dialSettings = std::move(run);
    m_dialSettingsBtn->setEnabled(bool(m_dialSettings));
}

void TOptionPages::addToolRow(int index)
{
    AddToolRow(m_toolsList, *m_state.tools().Items(index), m_images);
}

void TOptionPages::refreshToolRow(int row)
{
    const TToolItem *tool = m_state.tools().Items(row);
    if (QListWidgetItem *item = m_toolsList->item(row); item && tool)
        ShowToolInRow(item, *tool, m_images);
}

void TOptionPages::ToolsListClick(int row)
{
    // An edit begun on the tool shown so far goes to that tool, not to the new row.
    commitPendingTool();
    m_showing = true;
    const OptionsState::ToolFields fields = m_state.SelectTool(row);
    m_description->setText(fields.caption);
    m_fileName->setText(fields.fileName);
    m_arguments->setText(fields.arguments);
    m_address->setChecked(fields.allowAddress);
    m_showing = false;
    const bool shown = m_state.ShownTool() != nullptr;
    for (QWidget *w : {static_cast<QWidget *>(m_description), static_cast<QWidget *>(m_fileName),
                       static_cast<QWidget *>(m_arguments), static_cast<QWidget *>(m_address),
                       static_cast<QWidget *>(m_deleteTool)})
        w->setEnabled(shown);
}

void TOptionPages::AttributesChange(OptionsState::Field left)
{
    if (m_showing)
        return;
    m_pendingTool.reset();
    const OptionsState::ToolFields fields{m_description->text(), m_fileName->text(), m_arguments->text(),
                                          m_address->isChecked()};
    if (m_state.CommitTool(fields, left))
        refreshToolRow(m_state.ShownRow());
}

void TOptionPages::commitPendingTool()
{
    if (m_pendingTool)
        AttributesChange(*m_pendingTool);
}

void TOptionPages::NewToolBtnClick()
{
    commitPendingTool();
    const QString file = chooseFile ? chooseFile(tr("New Tool")) : QString();
    if (file.isEmpty())
        return;
    if (!m_state.NewTool(file)) {
        QMessageBox::critical(this, tr("Invalid File Type"), tr("Only executable files may be used as Tools"));
        return;
    }
    const int row = m_state.ShownRow();
    addToolRow(row);
    m_toolsList->setCurrentRow(row);
}

void TOptionPages::DelToolBtnClick()
{
    m_pendingTool.reset();
    const int row = m_state.ShownRow();
    if (row < 0 || !m_state.DeleteShownTool())
        return;
    m_showing = true;
    delete m_toolsList->takeItem(row);
    m_showing = false;
    ToolsListClick(m_toolsList->currentRow());
}

void TOptionPages::CatListClick(int row)
{
    CatNameExit();
    m_catName->setText(m_state.SelectCategory(row));
    m_catNameEdited = false;
    if (QListWidgetItem *item = m_catList->item(row)) {
        item->setSelected(true);
        m_catName->setFocus();
    }
}

void TOptionPages::CatNameExit()
{
    if (!m_catNameEdited)
        return;
    m_catNameEdited = false;
    const int row = m_state.SelectedCategory();
    if (m_state.CommitCategoryName(m_catName->text()))
        m_catList->item(row)->setText(m_state.options.categoryNames.at(row));
    else if (row >= 0)
        m_catName->setText(m_state.options.categoryNames.at(row)); // an empty name keeps the old one
}

void TOptionPages::SelectPathClick()
{
    const QString file = chooseFile ? chooseFile(tr("Executable File Name")) : QString();
    if (!file.isEmpty())
        m_path->setText(file);
}

void TOptionPages::DialSettingsBtnClick()
{
    if (m_dialSettings)
        m_dialSettings(this);
}

void TOptionPages::readPageFields()
{
    Settings::Options &o = m_state.options;
    o.browserPath = m_path->text();
    o.browserDde = m_dde->currentText();
    o.mailMethod = OptionsState::MailMethodFor(m_mail[0]->isChecked(), m_mail[1]->isChecked());
    o.callerId = m_callerId->isChecked();
}

void TOptionPages::done(int result)
{
    // An edit still in its field counts, whichever way the dialog closes: tool edits
    // are live, and OK writes the category name.
    commitPendingTool();
    CatNameExit();
    if (result == QDialog::Accepted)
        readPageFields();
    QDialog::done(result);
}
