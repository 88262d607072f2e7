#pragma once

#include "pathpicker.h"
#include "wizardform.h"

#include "exchange/importsources.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class TTreeNode;

// Brings items in from other programs' files: the source is chosen on the first page,
// its own pages follow, and "Finish" imports.
class TImportWizard : public TWizardForm
{
    Q_OBJECT
public:
    explicit TImportWizard(QWidget *parent = nullptr);

    // The container the import goes into, and the path shown for it.
    void SetParent(TTreeNode *node);
    TTreeNode *Target() const { return m_target; }

    // The source of the n-th entry of the list, and the entry of a source.
    ImportSource Source() const;
    void SetSource(ImportSource source);

    // Runs the chosen import (the hourglass shown, the cursor restored in any case);
    // failures and what was passed over reach the user through the tree's services.
    // What was made.
    ImportNotes RunChosenImport();
    // The file or directory the chosen source reads.
    QString SourcePath() const;
    // The options of comma and tab text as the pages say.
    DelimitedImportOptions DelimitedOptions() const;

    // Controls, for tests and for focus.
    QListWidget *sourceList() const { return m_sourceList; }
    TPathPicker *picker(ImportSource source) const;
    QComboBox *recordTypeCombo() const { return m_recType; }
    QListWidget *availableList() const { return m_available; }
    QListWidget *importList() const { return m_toImport; }
    QComboBox *separatorCombo() const { return m_separator; }
    QCheckBox *headerCheck() const { return m_header; }
    QComboBox *columnsCombo() const { return m_columnsFrom; }
    QLabel *statusLabel(ImportSource source) const;

private:
    QWidget *sourceSheet();
    QWidget *favoritesSheet();
    QWidget *fileSheet(ImportSource source, const QString &text, const QString &filter, const QString &group = {});
    QWidget *columnsSheet();
    QWidget *csvFileSheet();
    void ImportTypeChange();
    void RecTypeComboChange();
    void CopyRtBtnClick();
    void CopyLtBtnClick();
    void PageChange();
    void updateStatus(ImportSource source);
    void readCsvHead();

    TTreeNode *m_target = nullptr;
    QListWidget *m_sourceList = nullptr;
    QLabel *m_targetPath = nullptr;
    QComboBox *m_recType = nullptr;
    QListWidget *m_available = nullptr;
    QListWidget *m_toImport = nullptr;
    QComboBox *m_separator = nullptr;
    QCheckBox *m_header = nullptr;
    QComboBox *m_columnsFrom = nullptr;
    QLabel *m_headerText = nullptr;
    QWidget *m_sourcePage = nullptr;
    QWidget *m_columnsPage = nullptr;
    QWidget *m_csvPage = nullptr;
    struct SourcePage
    {
        ImportSource source;
        QWidget *sheet;
        TPathPicker *picker;
        QLabel *status;
    };
    QList<SourcePage> m_pages;
};
