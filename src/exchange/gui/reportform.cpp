#include "reportform.h"

#include "exchange/paint/fontmeasure.h"
#include "exchange/paint/reportpainter.h"
#include "exchange/report/reportbuild.h"
#include "exchange/report/reportrows.h"
#include "exchange/report/returnaddress.h"
#include "exchange/treepath.h"
#include "store/databasecontext.h"
#include "store/errorreport.h"
#include "store/itemservices.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *inchField(QWidget *parent, double value, int decimals)
{
    auto *field = new QDoubleSpinBox(parent);
    field->setDecimals(decimals);
    field->setRange(0, decimals == 1 ? 9.9 : 9.99);
    field->setSingleStep(decimals == 1 ? 0.1 : 0.01);
    field->setSuffix(QStringLiteral(" in"));
    field->setValue(value);
    return field;
}

QLabel *sampleLabel(QWidget *parent, const ReportFont &font)
{
    auto *sample = new QLabel(QObject::tr("Sample Text"), parent);
    sample->setFont(ReportQFont(font));
    sample->setFrameShape(QFrame::StyledPanel);
    sample->setMinimumHeight(36);
    return sample;
}

QStringList boxLines(const QPlainTextEdit *box)
{
    QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TReportForm::TReportForm(QPrinter &printer, QWidget *parent)
    : QDialog(parent), m_printer(printer), m_measure(std::make_unique<FontMeasure>())
{
    setWindowTitle(tr("Print"));
    auto *layout = new QVBoxLayout(this);
    auto *from = new QFormLayout;
    m_pathLabel = new QLabel(this);
    QFont bold = m_pathLabel->font();
    bold.setBold(true);
    m_pathLabel->setFont(bold);
    from->addRow(tr("Print Items From"), m_pathLabel);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("RptTypeCombo"));
    for (ReportType type : AllReportTypes())
        m_type->addItem(tr(qPrintable(ReportTypeCaption(type))));
    from->addRow(tr("Report &Type:"), m_type);
    layout->addLayout(from);

    m_sheets = new QStackedWidget(this);
    for (ReportType type : AllReportTypes()) {
        if (type == ReportType::Envelope)
            m_sheets->addWidget(makeEnvelopeSheet());
        else if (type == ReportType::Labels)
            m_sheets->addWidget(makeLabelSheet());
        else
            m_sheets->addWidget(makeListSheet(type));
    }
    layout->addWidget(m_sheets, 1);

    auto *buttons = new QDialogButtonBox(this);
    auto *preview = buttons->addButton(tr("P&review"), QDialogButtonBox::ActionRole);
    auto *print = buttons->addButton(tr("&Print"), QDialogButtonBox::ActionRole);
    auto *setup = buttons->addButton(tr("&Setup"), QDialogButtonBox::ActionRole);
    m_pdfButton = buttons->addButton(tr("Save P&DF..."), QDialogButtonBox::ActionRole);
    auto *close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    print->setDefault(true);
    layout->addWidget(buttons);

    connect(m_type, &QComboBox::currentIndexChanged, this, &TReportForm::RptTypeComboChange);
    connect(preview, &QPushButton::clicked, this, &TReportForm::PreviewBtnClick);
    connect(print, &QPushButton::clicked, this, &TReportForm::PrintBtnClick);
    connect(setup, &QPushButton::clicked, this, &TReportForm::PrntSetupBtnClick);
    connect(m_pdfButton, &QPushButton::clicked, this, &TReportForm::PdfBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_returnBox->setPlainText(ReturnAddress::Read().join(QLatin1Char('\n')));
    m_labelList->setCurrentRow(0);
    LabelListClick();
    m_type->setCurrentIndex(0);
    RptTypeComboChange();
}

TReportForm::~TReportForm() = default;

QWidget *TReportForm::makeListSheet(ReportType type)
{
    auto *sheet = new QWidget(this);
    auto sheetData = std::make_unique<PageSheet>();
    PageSheet &s = *sheetData;
    s.type = type;
    auto *form = new QFormLayout(sheet);
    if (type != ReportType::AddressBook) {
        s.title = new QLineEdit(DefaultReportTitle(type, QString()), sheet);
        form->addRow(tr("Report Title"), s.title);
    }
    if (type == ReportType::Reminders) {
        const QDate today = QDate::currentDate();
        s.from = new QDateEdit(today, sheet);
        s.to = new QDateEdit(today, sheet);
        s.from->setCalendarPopup(true);
        s.to->setCalendarPopup(true);
        auto *range = new QHBoxLayout;
        range->addWidget(s.from);
        range->addWidget(new QLabel(tr("to"), sheet));
        range->addWidget(s.to);
        form->addRow(tr("Dates from"), range);
    }
    if (type == ReportType::AddressBook) {
        s.columns = new QSpinBox(sheet);
        s.columns->setRange(1, 4);
        form->addRow(tr("Number of Columns:"), s.columns);
        s.gutter = inchField(sheet, 1.0, 1);
        form->addRow(tr("Column Gutter:"), s.gutter);
    }
    auto *orientation = new QHBoxLayout;
    s.portrait = new QRadioButton(tr("Portrait"), sheet);
    s.landscape = new QRadioButton(tr("Landscape"), sheet);
    s.portrait->setChecked(true);
    orientation->addWidget(s.portrait);
    orientation->addWidget(s.landscape);
    orientation->addStretch();
    form->addRow(tr("Orientation"), orientation);
    s.top = inchField(sheet, 0.5, 1);
    s.bottom = inchField(sheet, 0.5, 1);
    s.left = inchField(sheet, 0.0, 1);
    form->addRow(tr("Top"), s.top);
    form->addRow(tr("Bottom"), s.bottom);
    form->addRow(tr("Left"), s.left);
    auto *face = new QHBoxLayout;
    s.sample = sampleLabel(sheet, s.face);
    auto *select = new QPushButton(tr("Select..."), sheet);
    face->addWidget(s.sample, 1);
    face->addWidget(select);
    form->addRow(tr("Type Face"), face);
    connect(select, &QPushButton::clicked, this, [this, &s] { chooseFont(s.face, s.sample); });
    m_pageSheets.push_back(std::move(sheetData));
    return sheet;
}

QWidget *TReportForm::makeEnvelopeSheet()
{
    auto *sheet = new QWidget(this);
    auto *layout = new QVBoxLayout(sheet);
    auto *size = new QFormLayout;
    m_envelope = new QComboBox(sheet);
    for (const EnvelopeSize &e : EnvelopeSizes())
        m_envelope->addItem(QLatin1String(e.Name));
    size->addRow(tr("Size"), m_envelope);
    layout->addLayout(size);

    ReportOptions defaults;
    m_returnFont = defaults.returnFont;
    m_deliveryFont = defaults.deliveryFont;
    auto *giver = new QGroupBox(tr("Return Address"), sheet);
    auto *g = new QGridLayout(giver);
    m_returnBox = new QPlainTextEdit(giver);
    m_returnBox->setFont(ReportQFont(m_returnFont));
    m_saveReturn = new QCheckBox(tr("Save Return Address"), giver);
    m_omitReturn = new QCheckBox(tr("Omit Return Address"), giver);
    auto *returnFont = new QPushButton(tr("Font..."), giver);
    g->addWidget(m_returnBox, 0, 0, 4, 1);
    g->addWidget(m_saveReturn, 0, 1);
    g->addWidget(m_omitReturn, 1, 1);
    g->addWidget(returnFont, 2, 1);
    layout->addWidget(giver);

    auto *taker = new QGroupBox(tr("Delivery Address"), sheet);
    auto *d = new QGridLayout(taker);
    m_deliveryBox = new QPlainTextEdit(taker);
    m_deliveryBox->setFont(ReportQFont(m_deliveryFont));
    auto *deliveryFont = new QPushButton(tr("Font..."), taker);
    d->addWidget(m_deliveryBox, 0, 0, 2, 1);
    d->addWidget(deliveryFont, 0, 1);
    layout->addWidget(taker);

    connect(returnFont, &QPushButton::clicked, this, [this] {
        chooseFont(m_returnFont, nullptr);
        m_returnBox->setFont(ReportQFont(m_returnFont));
    });
    connect(deliveryFont, &QPushButton::clicked, this, [this] {
        chooseFont(m_deliveryFont, nullptr);
        m_deliveryBox->setFont(ReportQFont(m_deliveryFont));
    });
    return sheet;
}

QWidget *TReportForm::makeLabelSheet()
{
    auto *sheet = new QWidget(this);
    auto *layout = new QHBoxLayout(sheet);
    auto *types = new QGroupBox(tr("Label Types"), sheet);
    auto *t = new QVBoxLayout(types);
    m_labelList = new QListWidget(types);
    for (const TLabelDimension &label : LabelSheets())
        m_labelList->addItem(QLatin1String(label.Name));
    t->addWidget(m_labelList);
    layout->addWidget(types, 1);

    auto *settings = new QGroupBox(tr("Label Settings"), sheet);
    auto *form = new QFormLayout(settings);
    const char *names[] = {QT_TR_NOOP("Top Margin"),  QT_TR_NOOP("Side Margin"),  QT_TR_NOOP("Label Height"),
                           QT_TR_NOOP("Label Width"), QT_TR_NOOP("Horiz. Pitch"), QT_TR_NOOP("Vert Pitch")};
    for (int i = 0; i < 6; ++i) {
        m_labelFields[i] = inchField(settings, 0, 2);
        form->addRow(tr(names[i]), m_labelFields[i]);
    }
    m_across = new QSpinBox(settings);
    m_across->setRange(1, 10);
    form->addRow(tr("Number Across"), m_across);
    auto *face = new QHBoxLayout;
    m_labelSample = sampleLabel(settings, m_labelFont);
    auto *select = new QPushButton(tr("Select..."), settings);
    face->addWidget(m_labelSample, 1);
    face->addWidget(select);
    form->addRow(tr("Type Face"), face);
    layout->addWidget(settings, 1);

    connect(m_labelList, &QListWidget::currentRowChanged, this, &TReportForm::LabelListClick);
    connect(select, &QPushButton::clicked, this, [this] { chooseFont(m_labelFont, m_labelSample); });
    return sheet;
}

void TReportForm::Initialize(TTreeNode *node, const TZEBObject *chosenAddress)
{
    m_node = node;
    m_path = TreePath(node);
    m_pathLabel->setText(m_path);
    for (auto &sheet : m_pageSheets)
        if (sheet->type == ReportType::Simple)
            sheet->title->setText(m_path);
    m_deliveryBox->setPlainText(DeliveryFor(*node->Item(), chosenAddress).join(QLatin1Char('\n')));
}

const TReportForm::PageSheet &TReportForm::pageSheet(ReportType type) const
{
    for (const auto &sheet : m_pageSheets)
        if (sheet->type == type)
            return *sheet;
    return *m_pageSheets.front();
}

void TReportForm::RptTypeComboChange() { m_sheets->setCurrentIndex(std::max(0, m_type->currentIndex())); }

void TReportForm::LabelListClick()
{
    const int row = m_labelList->currentRow();
    if (row < 0 || row >= int(LabelSheets().size()))
        return;
    const TLabelDimension &l = LabelSheets()[row];
    const int values[] = {l.Top, l.Side, l.Height, l.Width, l.HPitch, l.VPitch};
    for (int i = 0; i < 6; ++i)
        m_labelFields[i]->setValue(values[i] / 100.0);
    m_across->setValue(l.Across);
}

ReportOptions TReportForm::Options() const
{
    ReportOptions o;
    o.type = AllReportTypes()[std::max(0, m_type->currentIndex())];
    // The paper the printer is set up with, upright.
    const QSizeF paper = m_printer.pageLayout().pageSize().size(QPageSize::Inch) * 100;
    if (!paper.isEmpty())
        o.paper = paper.width() > paper.height() ? paper.transposed() : paper;
    switch (o.type) {
    case ReportType::Envelope:
        o.envelope = m_envelope->currentText();
        o.returnAddress = boxLines(m_returnBox);
        o.deliveryAddress = boxLines(m_deliveryBox);
        o.omitReturnAddress = m_omitReturn->isChecked();
        o.returnFont = m_returnFont;
        o.deliveryFont = m_deliveryFont;
        break;
    case ReportType::Labels: {
        int *fields[] = {&o.label.Top, &o.label.Side, &o.label.Height, &o.label.Width, &o.label.HPitch, &o.label.VPitch};
        for (int i = 0; i < 6; ++i)
            *fields[i] = qRound(m_labelFields[i]->value() * 100);
        o.label.Across = m_across->value();
        o.face = m_labelFont;
        // The sheets are US Letter, whatever paper the printer was last set up with.
        o.paper = ReportOptions().paper;
        break;
    }
    default: {
        const PageSheet &s = pageSheet(o.type);
        if (s.title)
            o.title = s.title->text();
        o.landscape = s.landscape->isChecked();
        o.topMargin = qRound(s.top->value() * 10);
        o.bottomMargin = qRound(s.bottom->value() * 10);
        o.leftMargin = qRound(s.left->value() * 10);
        if (s.columns) {
            o.columns = s.columns->value();
            o.gutter = qRound(s.gutter->value() * 10);
        }
        if (s.from) {
            o.fromDate = s.from->date();
            o.toDate = s.to->date();
        }
        o.face = s.face;
        break;
    }
    }
    return o;
}

ReportDocument TReportForm::Document() const
{
    if (!m_node)
        return {};
    return BuildReport(m_node, Options(), *m_measure, QLocale(), m_node->Item()->Context().Today());
}

void TReportForm::chooseFont(ReportFont &font, QLabel *sample)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, ReportQFont(font), this);
    if (!ok)
        return;
    font.family = chosen.family();
    if (chosen.pointSizeF() > 0)
        font.points = chosen.pointSizeF();
    font.bold = chosen.bold();
    if (sample)
        sample->setFont(ReportQFont(font));
}

void TReportForm::showError(const QString &message)
{
    if (m_node)
        m_node->Item()->Context().Services().ShowError(message);
    else
        QMessageBox::critical(this, windowTitle(), message);
}

std::shared_ptr<void> TReportForm::usingPaperOf(const ReportDocument &doc)
{
    // The report's own paper (an envelope's, a turned page) holds while it prints; then the
    // paper chosen in the page setup is back for the next report.
    const QPageLayout chosen = m_printer.pageLayout();
    const bool fullPage = m_printer.fullPage();
    m_printer.setFullPage(true);
    m_printer.setPageLayout(ReportPageLayout(doc));
    return std::shared_ptr<void>(nullptr, [this, chosen, fullPage](void *) {
        m_printer.setPageLayout(chosen);
        m_printer.setFullPage(fullPage);
    });
}

void TReportForm::PreviewBtnClick()
{
    const ReportDocument doc = Document();
    const auto restore = usingPaperOf(doc);
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setWindowTitle(tr("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&doc](QPrinter *printer) {
        PaintReport(doc, *printer);
    });
    preview.exec();
}

void TReportForm::PrintBtnClick()
{
    const ReportDocument doc = Document();
    const auto restore = usingPaperOf(doc);
    m_printer.setDocName(doc.title);
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PaintReport(doc, m_printer))
        showError(tr("The report could not be sent to the printer \"%1\".").arg(m_printer.printerName()));
}

void TReportForm::PrntSetupBtnClick()
{
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

void TReportForm::PdfBtnClick()
{
    const QString title = Options().title.isEmpty() ? ReportTypeCaption(Options().type) : Options().title;
    QString name = title;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString file = QFileDialog::getSaveFileName(this, tr("Save PDF"), name + QStringLiteral(".pdf"),
                                                      tr("PDF files (*.pdf)"));
    if (!file.isEmpty())
        SavePdf(file);
}

void TReportForm::SavePdf(const QString &fileName)
{
    try {
        WriteReportPdf(Document(), fileName);
    } catch (const std::exception &e) {
        showError(ErrorText(e));
    }
}

void TReportForm::done(int result)
{
    if (m_saveReturn->isChecked()) {
        try {
            ReturnAddress::Write(boxLines(m_returnBox));
        } catch (const std::exception &e) {
            showError(ErrorText(e));
        }
    }
    QDialog::done(result);
}
