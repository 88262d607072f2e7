#include "importwizard.h"

#include "csvcolumnssheet.h"
#include "vcimportdialog.h"

#include "exchange/bookmarks.h"
#include "exchange/csvcolumns.h"
#include "exchange/csvpresets.h"
#include "exchange/treepath.h"
#include "store/errorreport.h"
#include "store/itemservices.h"
#include "store/kindtable.h"
#include "store/treenodes.h"
#include "ui/imagelist.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

struct SourceEntry
{
    ImportSource source;
    const char *text;
};
// The entries of the source list, in order; comma and tab text share one.
const SourceEntry kEntries[] = {
    {ImportSource::Mbd, QT_TRANSLATE_NOOP("TImportWizard", "Mirabook File (*.MBD)")},
    {ImportSource::Favorites, QT_TRANSLATE_NOOP("TImportWizard", "Favorites and Web Links (*.URL, *.desktop)")},
    {ImportSource::Bookmarks, QT_TRANSLATE_NOOP("TImportWizard", "Browser Bookmarks (HTML export or Bookmarks file)")},
    {ImportSource::AddressBook, QT_TRANSLATE_NOOP("TImportWizard", "Netscape Address Book")},
    {ImportSource::Nicknames, QT_TRANSLATE_NOOP("TImportWizard", "Eudora Nicknames File")},
    {ImportSource::Csv, QT_TRANSLATE_NOOP("TImportWizard", "Comma or Tab-Delimited Text")},
    {ImportSource::Ldif, QT_TRANSLATE_NOOP("TImportWizard", "LDIF Address Book (*.LDIF)")},
    {ImportSource::VCard, QT_TRANSLATE_NOOP("TImportWizard", "vCard File (*.VCF)")},
};

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The sources that go under the root whatever container was selected.
bool importsUnderRoot(ImportSource source)
{
    return source == ImportSource::Mbd || source == ImportSource::Bookmarks || source == ImportSource::AddressBook ||
           source == ImportSource::Nicknames;
}

} // namespace

TImportWizard::TImportWizard(QWidget *parent) : TWizardForm(parent)
{
    setWindowTitle(tr("Import Wizard"));
    m_sourcePage = AddSheet(sourceSheet());
    AddSheet(favoritesSheet());
    AddSheet(fileSheet(ImportSource::Mbd,
                       tr("Select a Mirabook file to import to your database.  The contents of this file will be merged "
                          "with the information already stored in your database."),
                       tr("Mirabook File (*.mbd)")));
    AddSheet(fileSheet(ImportSource::Bookmarks,
                       tr("Select the bookmark file to import: the HTML file a browser exports its bookmarks to "
                          "(bookmark.htm, bookmarks.html), or the Bookmarks file of a browser profile. Its folders "
                          "become folders under My Contacts."),
                       tr("Bookmark Files (*.html *.htm Bookmarks);;All Files (*)"), tr("Bookmark File")));
    AddSheet(fileSheet(ImportSource::AddressBook,
                       tr("Select the address book page to import (address.htm): every e-mail link on it becomes an "
                          "e-mail address under My Contacts."),
                       tr("Address Book Pages (*.htm *.html);;All Files (*)"), tr("Address File")));
    AddSheet(fileSheet(ImportSource::Nicknames,
                       tr("Select the nicknames file to import (nndbase.txt): each nickname becomes an e-mail address "
                          "in the folder Eudora Addresses."),
                       tr("Nicknames File (nndbase.txt);;Text Files (*.txt);;All Files (*)"), tr("Address File")));
    m_columnsPage = AddSheet(columnsSheet());
    m_csvPage = AddSheet(csvFileSheet());
    AddSheet(fileSheet(ImportSource::Ldif,
                       tr("Select the LDIF file a mail program exported its address book to. Each entry becomes a "
                          "person; a person's organization is made once and holds its persons."),
                       tr("LDIF Files (*.ldif *.ldi *.LDIF);;All Files (*)")));
    AddSheet(fileSheet(ImportSource::VCard,
                       tr("vCard is the standard format of electronic business cards that phones, mail programs and "
                          "address books exchange. Select a vCard file: each card becomes a person, or an organization "
                          "when you say so for a card that names one."),
                       tr("vCard Files (*.vcf)")));

    // On show: the database file, the record type "Person", the separator "Comma".
    connect(m_sourceList, &QListWidget::currentRowChanged, this, &TImportWizard::ImportTypeChange);
    connect(this, &TWizardForm::pageChanged, this, &TImportWizard::PageChange);
    m_sourceList->setCurrentRow(0);
    m_recType->setCurrentIndex(0);
    RecTypeComboChange();
    picker(ImportSource::Favorites)->SetPath(QDir::homePath());
    const QStringList browsers = FindBrowserBookmarkFiles();
    if (!browsers.isEmpty())
        picker(ImportSource::Bookmarks)->SetPath(browsers.front());
    ImportTypeChange();
}

QWidget *TImportWizard::sourceSheet()
{
    auto *sheet = new QWidget(this);
    m_sourceList = new QListWidget(sheet);
    m_sourceList->setObjectName(QStringLiteral("ImportType"));
    for (const SourceEntry &e : kEntries)
        m_sourceList->addItem(tr(e.text));
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(wrapped(tr("You can import bookmarks, e-mail addresses, and contacts from several different sources."), sheet));
    layout->addWidget(m_sourceList, 1);
    return sheet;
}

QWidget *TImportWizard::favoritesSheet()
{
    auto *sheet = new QWidget(this);
    auto *pick = new TPathPicker(QString(), sheet);
    m_targetPath = new QLabel(sheet);
    m_targetPath->setTextFormat(Qt::PlainText);
    QFont bold = m_targetPath->font();
    bold.setBold(true);
    m_targetPath->setFont(bold);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(new QLabel(tr("Select Directory to  Import:"), sheet));
    layout->addWidget(pick);
    layout->addWidget(wrapped(tr("Mirabook will import all the Internet Shortcuts (*.url files) and web links (*.desktop "
                                 "files) from this directory and its sub-directories."),
                              sheet));
    layout->addStretch(1);
    layout->addWidget(new QLabel(tr("The imported URL's will be added to:"), sheet));
    layout->addWidget(m_targetPath);
    m_pages.append({ImportSource::Favorites, sheet, pick, nullptr});
    return sheet;
}

QWidget *TImportWizard::fileSheet(ImportSource source, const QString &text, const QString &filter, const QString &group)
{
    auto *sheet = new QWidget(this);
    auto *pick = new TPathPicker(filter, sheet);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(wrapped(text, sheet));
    layout->addWidget(pick);
    QLabel *status = nullptr;
    if (!group.isEmpty()) {
        auto *box = new QGroupBox(group, sheet);
        status = new QLabel(box);
        status->setTextFormat(Qt::PlainText);
        (new QVBoxLayout(box))->addWidget(status);
        layout->addWidget(box);
        connect(pick, &TPathPicker::pathChanged, this, [this, source] { updateStatus(source); });
    }
    layout->addStretch(1);
    m_pages.append({source, sheet, pick, status});
    if (status)
        updateStatus(source);
    return sheet;
}

QWidget *TImportWizard::columnsSheet()
{
    const CsvColumnsSheet s = MakeCsvColumnsSheet(this, tr("Import records of type:"), tr("Fields to Import (in order)"));
    m_recType = s.recType;
    m_available = s.available;
    m_toImport = s.chosen;
    connect(m_recType, &QComboBox::currentIndexChanged, this, &TImportWizard::RecTypeComboChange);
    connect(s.toChosen, &QPushButton::clicked, this, &TImportWizard::CopyRtBtnClick);
    connect(s.toAvailable, &QPushButton::clicked, this, &TImportWizard::CopyLtBtnClick);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &TImportWizard::CopyRtBtnClick);
    connect(m_toImport, &QListWidget::itemDoubleClicked, this, &TImportWizard::CopyLtBtnClick);
    return s.sheet;
}

QWidget *TImportWizard::csvFileSheet()
{
    auto *sheet = new QWidget(this);
    auto *pick = new TPathPicker(tr("Comma Separated (*.CSV *.csv);;Text Files (*.TXT *.txt);;All Files (*)"), sheet);
    m_separator = new QComboBox(sheet);
    m_separator->setObjectName(QStringLiteral("SepCharCombo"));
    m_separator->addItems({tr("Comma"), tr("Tab")});
    m_header = new QCheckBox(tr("The first line names the columns (it is not imported)"), sheet);
    m_columnsFrom = new QComboBox(sheet);
    m_columnsFrom->addItem(tr("Fields to Import (in order)"));
    for (const CsvPreset &p : CsvPresets())
        m_columnsFrom->addItem(tr("Column names of %1").arg(p.name));
    m_headerText = new QLabel(sheet);
    m_headerText->setWordWrap(true);
    m_headerText->setTextFormat(Qt::PlainText);
    auto *separatorRow = new QHBoxLayout;
    separatorRow->addWidget(new QLabel(tr("Field Separator"), sheet));
    separatorRow->addWidget(m_separator);
    separatorRow->addStretch(1);
    auto *columnsRow = new QHBoxLayout;
    columnsRow->addWidget(new QLabel(tr("Read the columns by:"), sheet));
    columnsRow->addWidget(m_columnsFrom, 1);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(wrapped(tr("Select the text file to import."), sheet));
    layout->addWidget(pick);
    layout->addLayout(separatorRow);
    layout->addWidget(m_header);
    layout->addLayout(columnsRow);
    layout->addWidget(m_headerText);
    layout->addStretch(1);
    m_pages.append({ImportSource::Csv, sheet, pick, nullptr});
    // A name that says which separator its file uses (.csv, .tsv) chooses it.
    connect(pick, &TPathPicker::pathChanged, this, [this, pick] {
        if (const auto kind = GuessImportSource(pick->Path()); kind == ImportSource::Csv || kind == ImportSource::Tab)
            m_separator->setCurrentIndex(kind == ImportSource::Tab ? 1 : 0);
    });
    connect(pick, &TPathPicker::pathChanged, this, &TImportWizard::readCsvHead);
    connect(m_separator, &QComboBox::currentIndexChanged, this, &TImportWizard::readCsvHead);
    connect(m_header, &QCheckBox::toggled, m_columnsFrom, &QWidget::setEnabled);
    readCsvHead();
    return sheet;
}

void TImportWizard::SetParent(TTreeNode *node)
{
    m_target = node;
    m_targetPath->setText(node ? TreePath(node) : QString());
}

ImportSource TImportWizard::Source() const
{
    const int row = qMax(0, m_sourceList->currentRow());
    const ImportSource source = kEntries[row].source;
    if (source == ImportSource::Csv && m_separator->currentIndex() == 1)
        return ImportSource::Tab;
    return source;
}

void TImportWizard::SetSource(ImportSource source)
{
    if (source == ImportSource::Tab) {
        m_separator->setCurrentIndex(1);
        source = ImportSource::Csv;
    }
    for (int i = 0; i < int(std::size(kEntries)); ++i)
        if (kEntries[i].source == source)
            m_sourceList->setCurrentRow(i);
}

TPathPicker *TImportWizard::picker(ImportSource source) const
{
    if (source == ImportSource::Tab)
        source = ImportSource::Csv;
    for (const SourcePage &p : m_pages)
        if (p.source == source)
            return p.picker;
    return nullptr;
}

QLabel *TImportWizard::statusLabel(ImportSource source) const
{
    for (const SourcePage &p : m_pages)
        if (p.source == source)
            return p.status;
    return nullptr;
}

void TImportWizard::ImportTypeChange()
{
    ImportSource source = Source();
    if (source == ImportSource::Tab)
        source = ImportSource::Csv;
    if (source == ImportSource::Csv) {
        SetSequence({m_sourcePage, m_columnsPage, m_csvPage});
        return;
    }
    for (const SourcePage &p : m_pages)
        if (p.source == source)
            SetSequence({m_sourcePage, p.sheet});
}

void TImportWizard::RecTypeComboChange()
{
    const CsvRecordType &type = CsvRecordTypes().at(size_t(qMax(0, m_recType->currentIndex())));
    m_available->clear();
    m_toImport->clear();
    m_available->addItems(type.columns);
    PageChange();
}

void TImportWizard::CopyRtBtnClick()
{
    for (QListWidgetItem *item : m_available->selectedItems())
        m_toImport->addItem(m_available->takeItem(m_available->row(item)));
    PageChange();
}

void TImportWizard::CopyLtBtnClick()
{
    for (QListWidgetItem *item : m_toImport->selectedItems())
        m_available->addItem(m_toImport->takeItem(m_toImport->row(item)));
    PageChange();
}

void TImportWizard::PageChange()
{
    if (CurrentSheet() == m_columnsPage)
        SetNextEnabled(m_toImport->count() > 0);
    else if (CurrentSheet() == m_csvPage)
        SetNextEnabled(true);
}

void TImportWizard::updateStatus(ImportSource source)
{
    QLabel *status = statusLabel(source);
    const QString path = picker(source)->Path();
    const bool found = !path.isEmpty() && QFileInfo(path).isFile();
    if (!found) {
        status->setText(tr("None Found"));
        return;
    }
    if (source == ImportSource::Nicknames) {
        status->setText(tr("Found Eudora Address File in this directory"));
        return;
    }
    const QString title = BookmarkFileTitle(path);
    status->setText(title.isEmpty() ? QFileInfo(path).fileName() : title);
}

void TImportWizard::readCsvHead()
{
    const QString path = picker(ImportSource::Csv) ? picker(ImportSource::Csv)->Path() : QString();
    DelimitedHead head;
    QString problem;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        try {
            head = ReadDelimitedHead(path, m_separator->currentIndex() == 1 ? u'\t' : u',');
        } catch (const std::exception &e) {
            problem = ErrorText(e);
        }
    }
    m_header->setChecked(head.header);
    m_columnsFrom->setCurrentIndex(head.preset + 1);
    m_columnsFrom->setEnabled(head.header);
    if (!problem.isEmpty())
        m_headerText->setText(problem);
    else if (head.firstRecord.isEmpty())
        m_headerText->clear();
    else if (head.header)
        m_headerText->setText(tr("The first line names the columns: %1").arg(head.firstRecord.join(QLatin1String(", "))));
    else
        m_headerText->setText(tr("The first line is a record: %1").arg(head.firstRecord.join(QLatin1String(", "))));
}

QString TImportWizard::SourcePath() const
{
    const TPathPicker *p = picker(Source());
    return p ? QDir::fromNativeSeparators(p->Path()) : QString();
}

DelimitedImportOptions TImportWizard::DelimitedOptions() const
{
    DelimitedImportOptions o;
    o.kind = CsvRecordTypes().at(size_t(qMax(0, m_recType->currentIndex()))).kind;
    for (int i = 0; i < m_toImport->count(); ++i)
        o.fields << m_toImport->item(i)->text();
    o.separator = m_separator->currentIndex() == 1 ? u'\t' : u',';
    o.header = m_header->isChecked() ? DelimitedImportOptions::Header::Yes : DelimitedImportOptions::Header::No;
    o.preset = m_columnsFrom->currentIndex() - 1;
    o.fieldsOverHeader = m_columnsFrom->currentIndex() == 0;
    return o;
}

ImportNotes TImportWizard::RunChosenImport()
{
    ImportNotes notes;
    if (!m_target)
        return notes;
    ItemServices &services = m_target->Owner()->Context().Services();
    const ImportSource source = Source();
    const QString path = SourcePath();
    const bool directory = source == ImportSource::Favorites;
    if (path.isEmpty() || !(directory ? QFileInfo(path).isDir() : QFileInfo::exists(path))) {
        services.ShowError(tr("\"%1\" was not found; nothing was imported.").arg(path));
        return notes;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    TTreeNode *into = importsUnderRoot(source) ? m_target->Owner()->First() : m_target;
    try {
        ImportRequestOptions options;
        options.delimited = DelimitedOptions();
        options.askOrganization = [this](const QString &name, const QString &organization) {
            QApplication::restoreOverrideCursor();
            const auto back = qScopeGuard([] { QApplication::setOverrideCursor(Qt::WaitCursor); });
            return AskVCardImport(name, organization, parentWidget() ? parentWidget() : this);
        };
        notes = RunImport(source, into, path, options);
    } catch (const std::exception &e) {
        QApplication::restoreOverrideCursor();
        const auto back = qScopeGuard([] { QApplication::setOverrideCursor(Qt::WaitCursor); });
        ReportException(e, services);
        return notes;
    }
    if (const QString shortfall = ImportShortfall(notes); !shortfall.isEmpty()) {
        QApplication::restoreOverrideCursor();
        const auto back = qScopeGuard([] { QApplication::setOverrideCursor(Qt::WaitCursor); });
        services.ShowError(QStringLiteral("\"%1\": %2.").arg(QDir::toNativeSeparators(path), shortfall));
    }
    return notes;
}
