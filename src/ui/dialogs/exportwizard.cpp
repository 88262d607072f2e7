#include "exportwizard.h"

#include "csvcolumnssheet.h"
#include "pathpicker.h"

#include "exchange/csvcolumns.h"
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
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QStringList texts(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

QStringList selectedTexts(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            names << list->item(i)->text();
    return names;
}

QComboBox *colorCombo(const QString &current, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    for (const QString &name : HtmlColorNames()) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor::fromString(name));
        combo->addItem(QIcon(swatch), name);
    }
    combo->setCurrentText(current);
    return combo;
}

} // namespace

TExportWizard::TExportWizard(QWidget *parent) : TWizardForm(parent)
{
    setWindowTitle(tr("Publishing Wizard"));
    m_sheets.insert(PublishSheet::Intro, AddSheet(introSheet()));
    m_sheets.insert(PublishSheet::DatabaseFile,
                    AddSheet(targetSheet(PublishType::Database,
                                         tr("Select the drive and directory where you want to export your Mirabook "
                                            "data file, and type the desired name for the file below."),
                                         m_names[0], m_dirs[0])));
    m_sheets.insert(PublishSheet::Index, AddSheet(indexSheet()));
    m_sheets.insert(PublishSheet::Graphics, AddSheet(graphicsSheet()));
    m_sheets.insert(PublishSheet::Links, AddSheet(linksSheet()));
    m_sheets.insert(PublishSheet::HtmlTarget, AddSheet(htmlTargetSheet()));
    m_sheets.insert(PublishSheet::CsvColumns, AddSheet(columnsSheet()));
    m_sheets.insert(PublishSheet::CsvTarget, AddSheet(csvTargetSheet()));
    m_sheets.insert(PublishSheet::VCardTarget,
                    AddSheet(targetSheet(PublishType::VCard,
                                         tr("Select the directory for the vCard file and type its name below. A "
                                            "person or organization is written as one card; a folder as one file "
                                            "with a card for every person and organization in it."),
                                         m_names[3], m_dirs[3])));
    connect(this, &TWizardForm::pageChanged, this, &TExportWizard::PageChange);
}

TExportWizard::~TExportWizard() = default;

QWidget *TExportWizard::introSheet()
{
    auto *sheet = new QWidget(this);
    m_path = new QLabel(sheet);
    m_path->setTextFormat(Qt::PlainText);
    QFont bold = m_path->font();
    bold.setBold(true);
    m_path->setFont(bold);
    m_typeList = new QListWidget(sheet);
    m_typeList->setObjectName(QStringLiteral("ExportType"));
    for (const QString &name : PublishTypeNames())
        m_typeList->addItem(tr(qPrintable(name)));
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(wrapped(tr("You can publish any portion of your database to any of the standard file types "
                                 "listed below."),
                              sheet));
    layout->addWidget(wrapped(tr("This Wizard will export all items and sub-items of:"), sheet));
    layout->addWidget(m_path);
    layout->addWidget(m_typeList, 1);
    connect(m_typeList, &QListWidget::currentRowChanged, this, &TExportWizard::ExportTypeChange);
    return sheet;
}

QWidget *TExportWizard::targetSheet(PublishType type, const QString &text, QLineEdit *&name, TPathPicker *&dir)
{
    Q_UNUSED(type);
    auto *sheet = new QWidget(this);
    dir = new TPathPicker(QString(), sheet);
    name = new QLineEdit(sheet);
    auto *form = new QFormLayout;
    form->addRow(tr("Directory:"), dir);
    form->addRow(tr("File name:"), name);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(wrapped(text, sheet));
    layout->addLayout(form);
    layout->addStretch(1);
    return sheet;
}

QWidget *TExportWizard::indexSheet()
{
    auto *sheet = new QWidget(this);
    m_levels = new QSpinBox(sheet);
    m_levels->setObjectName(QStringLiteral("LevelsEdit"));
    m_levels->setRange(0, 9);
    m_frames = new QCheckBox(tr("Use Frames"), sheet);
    m_frames->setChecked(true);
    auto *row = new QHBoxLayout;
    row->addWidget(m_levels);
    row->addWidget(wrapped(tr("Choose the maximum number of levels to include in your index.  A value of zero will "
                              "include all levels."),
                           sheet),
                   1);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(new QLabel(tr("Index"), sheet));
    layout->addLayout(row);
    layout->addWidget(m_frames);
    layout->addStretch(1);
    return sheet;
}

QWidget *TExportWizard::graphicsSheet()
{
    auto *sheet = new QWidget(this);
    m_background = new QComboBox(sheet);
    m_background->setObjectName(QStringLiteral("BkgComboBox"));
    m_background->setEditable(true);
    m_background->addItems(BackgroundNames());
    auto *browse = new QPushButton(tr("Browse..."), sheet);
    m_textColor = colorCombo(QStringLiteral("Black"), sheet);
    m_textColor->setObjectName(QStringLiteral("TextColorCombo"));
    m_linkColor = colorCombo(QStringLiteral("Navy"), sheet);
    m_linkColor->setObjectName(QStringLiteral("LinkColorCombo"));
    m_preview = new QLabel(sheet);
    m_preview->setFixedSize(160, 70);
    m_preview->setFrameShape(QFrame::Box);
    auto *backgroundRow = new QHBoxLayout;
    backgroundRow->addWidget(m_background, 1);
    backgroundRow->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(tr("Background:"), backgroundRow);
    form->addRow(tr("Text colour:"), m_textColor);
    form->addRow(tr("Link colour:"), m_linkColor);
    form->addRow(tr("Preview:"), m_preview);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(new QLabel(tr("Graphics"), sheet));
    layout->addLayout(form);
    layout->addStretch(1);
    connect(m_background, &QComboBox::currentTextChanged, this, &TExportWizard::BkgComboBoxChange);
    connect(browse, &QPushButton::clicked, this, &TExportWizard::BrowseClick);
    connect(m_textColor, &QComboBox::currentTextChanged, this, &TExportWizard::drawPreview);
    connect(m_linkColor, &QComboBox::currentTextChanged, this, &TExportWizard::drawPreview);
    return sheet;
}

QWidget *TExportWizard::linksSheet()
{
    auto *sheet = new QWidget(this);
    m_includeMbd = new QCheckBox(tr("Include link for all contents (MBD file)"), sheet);
    m_includeMbd->setObjectName(QStringLiteral("IncludeMBD"));
    m_includeVCard = new QCheckBox(tr("Include links for individual person/organization records (vCard file)"), sheet);
    m_includeVCard->setObjectName(QStringLiteral("IncludeVCard"));
    m_includeMbd->setChecked(true);
    m_includeVCard->setChecked(true);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(new QLabel(tr("Downloadable Links"), sheet));
    layout->addWidget(m_includeMbd);
    layout->addWidget(m_includeVCard);
    layout->addStretch(1);
    return sheet;
}

QWidget *TExportWizard::htmlTargetSheet()
{
    auto *sheet = new QWidget(this);
    m_dirs[1] = new TPathPicker(QString(), sheet);
    m_names[1] = new QLineEdit(sheet);
    m_names[1]->setObjectName(QStringLiteral("StartPageEdit"));
    m_title = new QLineEdit(sheet);
    m_title->setObjectName(QStringLiteral("TitleEdit"));
    auto *form = new QFormLayout;
    form->addRow(tr("Directory:"), m_dirs[1]);
    form->addRow(tr("Name for main page file:"), m_names[1]);
    form->addRow(tr("Title of page:"), m_title);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(wrapped(tr("Select the directory for the web site; its pages, downloads and images are written "
                                 "there."),
                              sheet));
    layout->addLayout(form);
    layout->addStretch(1);
    return sheet;
}

QWidget *TExportWizard::columnsSheet()
{
    const CsvColumnsSheet s = MakeCsvColumnsSheet(this, tr("Export records of type:"), tr("Fields to Export (in order)"));
    m_recType = s.recType;
    m_available = s.available;
    m_toExport = s.chosen;
    connect(m_recType, &QComboBox::currentIndexChanged, this, &TExportWizard::RecTypeComboChange);
    connect(s.toChosen, &QPushButton::clicked, this, &TExportWizard::CopyRtBtnClick);
    connect(s.toAvailable, &QPushButton::clicked, this, &TExportWizard::CopyLtBtnClick);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &TExportWizard::CopyRtBtnClick);
    connect(m_toExport, &QListWidget::itemDoubleClicked, this, &TExportWizard::CopyLtBtnClick);
    return s.sheet;
}

QWidget *TExportWizard::csvTargetSheet()
{
    QWidget *sheet = targetSheet(PublishType::Csv,
                                 tr("Select the drive and directory for the comma-separated values file, and type "
                                    "its name below."),
                                 m_names[2], m_dirs[2]);
    m_fieldNames = new QCheckBox(tr("Include field names as first line"), sheet);
    m_fieldNames->setChecked(true);
    static_cast<QVBoxLayout *>(sheet->layout())->insertWidget(2, m_fieldNames);
    return sheet;
}

QLineEdit *TExportWizard::nameEdit(PublishType type) const { return m_names[int(type)]; }
TPathPicker *TExportWizard::dirPicker(PublishType type) const { return m_dirs[int(type)]; }

void TExportWizard::SetParent(TTreeNode *node)
{
    m_plan = std::make_unique<PublishPlan>(node);
    m_path->setText(m_plan->PathText());
    const PublishPlan &p = *m_plan;
    const QString dirs[] = {p.databaseDir, p.htmlDir, p.csvDir, p.vcardDir};
    const QString names[] = {p.databaseName, p.mainPage, p.csvName, p.vcardName};
    for (int i = 0; i < 4; ++i) {
        m_dirs[i]->SetPath(dirs[i]);
        m_names[i]->setText(names[i]);
    }
    m_title->setText(p.pageTitle);
    // On show: the export file, no background, the record type "Person".
    m_typeList->setCurrentRow(0);
    m_background->setCurrentIndex(0);
    BkgComboBoxChange();
    m_recType->setCurrentIndex(0);
    RecTypeComboChange();
    ExportTypeChange();
}

void TExportWizard::ExportTypeChange()
{
    if (!m_plan)
        return;
    const auto type = PublishType(qMax(0, m_typeList->currentRow()));
    if (!m_plan->SetType(type)) {
        QMessageBox::warning(this, windowTitle(),
                             tr("vCard publishing is only supported for Person and Organization items."),
                             QMessageBox::Ok | QMessageBox::Cancel);
        const QSignalBlocker quiet(m_typeList);
        m_typeList->setCurrentRow(int(m_plan->Type()));
    }
    QList<QWidget *> pages;
    for (PublishSheet s : m_plan->Sequence())
        pages << m_sheets.value(s);
    SetSequence(pages);
}

void TExportWizard::BkgComboBoxChange()
{
    if (!m_plan)
        return;
    m_plan->ChooseBackground(m_background->currentText());
    drawPreview();
}

void TExportWizard::BrowseClick()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Background"), QDir::homePath(),
                                                      tr("GIF Images (*.gif);;JPEG Images (*.jpg *.jpeg)"));
    if (file.isEmpty() || !m_plan)
        return;
    {
        const QSignalBlocker quiet(m_background);
        m_background->setEditText(QFileInfo(file).fileName());
    }
    m_plan->SetBackgroundFile(file);
    drawPreview();
}

void TExportWizard::drawPreview()
{
    QPixmap pixmap(m_preview->size());
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    if (m_plan && !m_plan->PreviewFile().isEmpty()) {
        const QPixmap tile(m_plan->PreviewFile());
        if (!tile.isNull())
            painter.drawTiledPixmap(pixmap.rect(), tile);
    }
    QFont font = painter.font();
    font.setPointSize(12);
    painter.setFont(font);
    painter.setPen(QColor::fromString(m_textColor->currentText()));
    painter.drawText(QPoint(10, 5 + painter.fontMetrics().ascent()), tr("Sample Text"));
    font.setPointSize(10);
    font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(QColor::fromString(m_linkColor->currentText()));
    painter.drawText(QPoint(20, 40 + painter.fontMetrics().ascent()), tr("Sample Link"));
    painter.end();
    m_preview->setPixmap(pixmap);
}

void TExportWizard::RecTypeComboChange()
{
    if (!m_plan)
        return;
    m_plan->SetRecordType(qMax(0, m_recType->currentIndex()));
    showColumns();
}

void TExportWizard::CopyRtBtnClick()
{
    m_plan->SetChosenOrder(texts(m_toExport));
    m_plan->ChooseColumns(selectedTexts(m_available));
    showColumns();
}

void TExportWizard::CopyLtBtnClick()
{
    m_plan->SetChosenOrder(texts(m_toExport));
    m_plan->UnchooseColumns(selectedTexts(m_toExport));
    showColumns();
}

void TExportWizard::showColumns()
{
    m_available->clear();
    m_available->addItems(m_plan->Available());
    m_toExport->clear();
    m_toExport->addItems(m_plan->Chosen());
    PageChange();
}

void TExportWizard::PageChange()
{
    if (m_plan && CurrentSheet() == m_sheets.value(PublishSheet::CsvColumns))
        SetNextEnabled(m_plan->ColumnsComplete());
}

void TExportWizard::syncPlan()
{
    PublishPlan &p = *m_plan;
    auto dir = [this](int i) { return QDir::fromNativeSeparators(m_dirs[i]->Path()); };
    p.databaseDir = dir(0);
    p.htmlDir = dir(1);
    p.csvDir = dir(2);
    p.vcardDir = dir(3);
    p.databaseName = m_names[0]->text().trimmed();
    p.mainPage = m_names[1]->text().trimmed();
    p.csvName = m_names[2]->text().trimmed();
    p.vcardName = m_names[3]->text().trimmed();
    p.pageTitle = m_title->text();
    p.html.levels = m_levels->value();
    p.html.useFrames = m_frames->isChecked();
    p.html.includeMbd = m_includeMbd->isChecked();
    p.html.includeVCard = m_includeVCard->isChecked();
    p.html.textColor = m_textColor->currentText();
    p.html.linkColor = m_linkColor->currentText();
    p.SetChosenOrder(texts(m_toExport));
    p.includeFieldNames = m_fieldNames->isChecked();
}

void TExportWizard::accept()
{
    if (!m_plan)
        return;
    syncPlan();
    if (const QString problem = m_plan->CheckFilename(); !problem.isEmpty()) {
        QMessageBox::critical(this, tr("Check Filename"), problem);
        nameEdit(m_plan->Type())->setFocus();
        return;
    }
    TWizardForm::accept();
}

bool TExportWizard::RunExport()
{
    if (!m_plan)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    try {
        m_plan->Run();
    } catch (const std::exception &e) {
        QApplication::restoreOverrideCursor();
        const auto back = qScopeGuard([] { QApplication::setOverrideCursor(Qt::WaitCursor); });
        ReportException(e, m_plan->Node()->Owner()->Context().Services());
        return false;
    }
    return true;
}
