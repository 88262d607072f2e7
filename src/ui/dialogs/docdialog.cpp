#include "docdialog.h"

#include "store/docobject.h"
#include "store/toolitems.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TDocEditDlg::TDocEditDlg(TDocObject &doc, const QStringList &categoryNames, QWidget *parent)
    : ItemDialog(doc, categoryNames, tr("Document"), parent), m_doc(doc)
{
    chooseFile = [this](const QString &startDir) {
        // An existing file; the program's current directory stays as it is.
        return QFileDialog::getOpenFileName(this, tr("Choose the document"), startDir);
    };
    m_title = makeTitleEdit(QStringLiteral("TitleEdit"), 255, doc.Title()); // a file name fits
    m_fileName = makeEdit(QStringLiteral("FilenameEdit"), 0, doc.Value());
    m_comment = makeEdit(QStringLiteral("CommentEdit"), 255, doc.Comment());
    requireText(m_fileName);
    auto *browse = new QPushButton(tr("Browse..."), this);
    browse->setObjectName(QStringLiteral("BrowseBtn"));
    connect(browse, &QPushButton::clicked, this, &TDocEditDlg::BrowseBtnClick);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(tr("&Title:"), m_title);
    // A label for a row of two controls names its field itself.
    auto *fileLabel = new QLabel(tr("&Filename:"), this);
    fileLabel->setBuddy(m_fileName);
    form->addRow(fileLabel, fileRow);
    form->addRow(tr("&Comment:"), m_comment);
    body()->addLayout(form);
    setMinimumWidth(440);
}

void TDocEditDlg::BrowseBtnClick()
{
    // The folder of the path shown, when there is one.
    const QString folder = FolderPart(QDir::fromNativeSeparators(m_fileName->text().trimmed()));
    const QString chosen = chooseFile(!folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString());
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    m_title->setText(info.fileName());
    m_fileName->setText(info.absoluteFilePath());
}

bool TDocEditDlg::apply() { return m_doc.ApplyDialog(m_title->text(), m_fileName->text(), m_comment->text()); }
