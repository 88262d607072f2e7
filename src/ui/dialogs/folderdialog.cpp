#include "folderdialog.h"

#include "store/folderobject.h"
#include "store/treenodes.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

TFolderEditDlg::TFolderEditDlg(TFolderObject &folder, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(folder, categoryNames, tr("Folder"), parent), m_folder(folder), m_location(folder.Value())
{
    m_title = makeTitleEdit(QStringLiteral("FolderTitle"), 40, folder.Title());
    m_comment = makeEdit(QStringLiteral("FolderComment"), 255, folder.Comment());
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);

    auto *group = new QGroupBox(this);
    auto *groupLayout = new QVBoxLayout(group);
    m_isRemote = new QCheckBox(tr("Folder is located on a remote server"), group);
    m_isRemote->setObjectName(QStringLiteral("IsRemote"));
    m_lanRadio = new QRadioButton(tr("Local network"), group);
    m_lanRadio->setObjectName(QStringLiteral("LANRadio"));
    m_internetRadio = new QRadioButton(tr("Internet"), group);
    m_internetRadio->setObjectName(QStringLiteral("InternetRadio"));
    m_prefixLabel = new QLabel(tr("File:"), group);
    m_prefixLabel->setObjectName(QStringLiteral("PrefixLabel"));
    m_locationEdit = new QLineEdit(group);
    m_locationEdit->setObjectName(QStringLiteral("LocationEdit"));
    m_browse = new QPushButton(tr("Browse..."), group);
    m_browse->setObjectName(QStringLiteral("BrowseBtn"));
    auto *radios = new QHBoxLayout;
    radios->addWidget(m_lanRadio);
    radios->addWidget(m_internetRadio);
    radios->addStretch();
    auto *locationRow = new QHBoxLayout;
    locationRow->addWidget(m_prefixLabel);
    locationRow->addWidget(m_locationEdit, 1);
    locationRow->addWidget(m_browse);
    groupLayout->addWidget(m_isRemote);
    groupLayout->addLayout(radios);
    groupLayout->addLayout(locationRow);
    body()->addWidget(group);

    m_isRemote->setChecked(m_location.remote());
    (m_location.internet() ? m_internetRadio : m_lanRadio)->setChecked(true);
    m_locationEdit->setText(m_location.text());
    updateControls();

    connect(m_isRemote, &QCheckBox::clicked, this, &TFolderEditDlg::remoteClicked);
    connect(m_lanRadio, &QRadioButton::clicked, this, &TFolderEditDlg::radioClicked);
    connect(m_internetRadio, &QRadioButton::clicked, this, &TFolderEditDlg::radioClicked);
    connect(m_locationEdit, &QLineEdit::textEdited, this, [this](const QString &text) { m_location.setText(text); });
    connect(m_browse, &QPushButton::clicked, this, &TFolderEditDlg::browse);

    chooseFile = [this](const QString &start) {
        return QFileDialog::getOpenFileName(this, QString(), start, tr("Mira Data Files (*.mbd)"));
    };
}

void TFolderEditDlg::remoteClicked()
{
    m_location.setRemote(m_isRemote->isChecked());
    updateControls();
}

void TFolderEditDlg::radioClicked()
{
    m_location.setInternet(m_internetRadio->isChecked());
    m_locationEdit->setText(m_location.text());
    updateControls();
}

void TFolderEditDlg::browse()
{
    const QString file = chooseFile ? chooseFile(m_location.text()) : QString();
    if (file.isEmpty())
        return;
    m_location.setText(file);
    m_locationEdit->setText(file);
}

void TFolderEditDlg::updateControls()
{
    const bool enabled = m_location.locationEnabled();
    m_lanRadio->setEnabled(enabled);
    m_internetRadio->setEnabled(enabled);
    m_locationEdit->setEnabled(enabled);
    m_browse->setVisible(m_location.browseVisible());
}

void TFolderEditDlg::accept()
{
    const TTreeNode *node = m_folder.Node();
    const bool discards = m_folder.Value().isEmpty() && !Location().isEmpty() && node && node->Item() == &m_folder &&
                          node->HasChildren();
    if (discards && QMessageBox::warning(this, tr("Folder"), QString::fromLatin1(DiscardQuestion),
                                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    ItemDialog::accept();
}

void TFolderEditDlg::apply() { ApplyFolderDialog(m_folder, m_title->text(), m_comment->text(), Location()); }
