#pragma once

#include "exchange/report/reportoptions.h"
#include "exchange/report/reportpage.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class TTreeNode;
class TZEBObject;
class TextMeasure;

// File > Print...: the report type, its option sheet, and preview, print, page setup and
// PDF of the report over the chosen node and everything below it.
class TReportForm : public QDialog
{
    Q_OBJECT
public:
    // The printer is the program's own, so a page setup made here or from the File menu
    // holds for the run.
    TReportForm(QPrinter &printer, QWidget *parent = nullptr);
    ~TReportForm() override;

    // The node to print and, for an envelope, the address chosen in the list (or none).
    void Initialize(TTreeNode *node, const TZEBObject *chosenAddress);

    // What the sheets say, for the chosen report type.
    ReportOptions Options() const;
    // The report laid out as it would print now.
    ReportDocument Document() const;

    // Controls, for tests.
    QComboBox *typeCombo() const { return m_type; }
    QListWidget *labelList() const { return m_labelList; }
    QDoubleSpinBox *labelField(int index) const { return m_labelFields[index]; }
    QSpinBox *acrossField() const { return m_across; }
    QPlainTextEdit *returnBox() const { return m_returnBox; }
    QPlainTextEdit *deliveryBox() const { return m_deliveryBox; }
    QCheckBox *saveReturnCheck() const { return m_saveReturn; }
    QCheckBox *omitReturnCheck() const { return m_omitReturn; }
    QPushButton *pdfButton() const { return m_pdfButton; }
    // The sheet of a report type's title, margins and orientation.
    struct PageSheet;
    const PageSheet &pageSheet(ReportType type) const;

    // Writes the PDF without asking for a name (the "Save PDF..." button asks).
    void SavePdf(const QString &fileName);
    // The buttons' work: the preview window, the print dialog, the page setup.
    void PreviewBtnClick();
    void PrintBtnClick();
    void PrntSetupBtnClick();

protected:
    void done(int result) override;

private:
    void RptTypeComboChange();
    void LabelListClick();
    void PdfBtnClick();
    // Sets the printer to the report's paper until the result is dropped.
    std::shared_ptr<void> usingPaperOf(const ReportDocument &doc);
    QWidget *makeListSheet(ReportType type);
    QWidget *makeEnvelopeSheet();
    QWidget *makeLabelSheet();
    void chooseFont(ReportFont &font, QLabel *sample);
    void showError(const QString &message);

    QPrinter &m_printer;
    std::unique_ptr<TextMeasure> m_measure;
    TTreeNode *m_node = nullptr;
    QString m_path;
    QLabel *m_pathLabel = nullptr;
    QComboBox *m_type = nullptr;
    QStackedWidget *m_sheets = nullptr;
    std::vector<std::unique_ptr<PageSheet>> m_pageSheets;
    QListWidget *m_labelList = nullptr;
    QDoubleSpinBox *m_labelFields[6] = {};
    QSpinBox *m_across = nullptr;
    QLabel *m_labelSample = nullptr;
    QComboBox *m_envelope = nullptr;
    QPlainTextEdit *m_returnBox = nullptr;
    QPlainTextEdit *m_deliveryBox = nullptr;
    QCheckBox *m_saveReturn = nullptr;
    QCheckBox *m_omitReturn = nullptr;
    QPushButton *m_pdfButton = nullptr;
    ReportFont m_labelFont;
    ReportFont m_returnFont;
    ReportFont m_deliveryFont;
};

// One report's title, orientation, margins and type face (and the address book's columns
// and gutter, the reminder list's dates).
struct TReportForm::PageSheet
{
    ReportType type;
    class QLineEdit *title = nullptr;
    QRadioButton *portrait = nullptr;
    QRadioButton *landscape = nullptr;
    QDoubleSpinBox *top = nullptr;
    QDoubleSpinBox *bottom = nullptr;
    QDoubleSpinBox *left = nullptr;
    QDoubleSpinBox *gutter = nullptr;
    QSpinBox *columns = nullptr;
    QDateEdit *from = nullptr;
    QDateEdit *to = nullptr;
    QLabel *sample = nullptr;
    ReportFont face;
};
