#pragma once

#include "wizardform.h"

#include "exchange/publishplan.h"

#include <QHash>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class TPathPicker;
class TTreeNode;

// Publishes the selected container and everything below it as an export file, a web
// site, CSV or vCards. The pages show a PublishPlan and hand every change to it; "Finish"
// checks the file name and closes, and the caller runs the export (RunExport).
class TExportWizard : public TWizardForm
{
    Q_OBJECT
public:
    explicit TExportWizard(QWidget *parent = nullptr);
    ~TExportWizard() override;

    void SetParent(TTreeNode *node);
    PublishPlan *Plan() const { return m_plan.get(); }

    // Writes what the pages say (the hourglass shown meanwhile); a failure reaches the user
    // through the tree's services. True when everything was written.
    bool RunExport();

    // Controls, for tests and for focus.
    QListWidget *typeList() const { return m_typeList; }
    QWidget *sheet(PublishSheet s) const { return m_sheets.value(s); }
    QLineEdit *nameEdit(PublishType type) const;
    TPathPicker *dirPicker(PublishType type) const;
    QSpinBox *levelsEdit() const { return m_levels; }
    QCheckBox *framesCheck() const { return m_frames; }
    QComboBox *backgroundCombo() const { return m_background; }
    QComboBox *textColorCombo() const { return m_textColor; }
    QComboBox *linkColorCombo() const { return m_linkColor; }
    QLabel *preview() const { return m_preview; }
    QCheckBox *mbdCheck() const { return m_includeMbd; }
    QCheckBox *vcardCheck() const { return m_includeVCard; }
    QLineEdit *titleEdit() const { return m_title; }
    QComboBox *recordTypeCombo() const { return m_recType; }
    QListWidget *availableList() const { return m_available; }
    QListWidget *exportList() const { return m_toExport; }
    QCheckBox *fieldNamesCheck() const { return m_fieldNames; }

    // "Finish": a name the type may not have keeps the wizard open with "Check Filename".
    void accept() override;

private:
    QWidget *introSheet();
    QWidget *targetSheet(PublishType type, const QString &text, QLineEdit *&name, TPathPicker *&dir);
    QWidget *indexSheet();
    QWidget *graphicsSheet();
    QWidget *linksSheet();
    QWidget *htmlTargetSheet();
    QWidget *columnsSheet();
    QWidget *csvTargetSheet();
    void ExportTypeChange();
    void BkgComboBoxChange();
    void BrowseClick();
    void RecTypeComboChange();
    void CopyRtBtnClick();
    void CopyLtBtnClick();
    void PageChange();
    void showColumns();
    void drawPreview();
    // Reads every control into the plan.
    void syncPlan();

    std::unique_ptr<PublishPlan> m_plan;
    QHash<PublishSheet, QWidget *> m_sheets;
    QLabel *m_path = nullptr;
    QListWidget *m_typeList = nullptr;
    QLineEdit *m_names[4] = {};
    TPathPicker *m_dirs[4] = {};
    QSpinBox *m_levels = nullptr;
    QCheckBox *m_frames = nullptr;
    QComboBox *m_background = nullptr;
    QComboBox *m_textColor = nullptr;
    QComboBox *m_linkColor = nullptr;
    QLabel *m_preview = nullptr;
    QCheckBox *m_includeMbd = nullptr;
    QCheckBox *m_includeVCard = nullptr;
    QLineEdit *m_title = nullptr;
    QComboBox *m_recType = nullptr;
    QListWidget *m_available = nullptr;
    QListWidget *m_toExport = nullptr;
    QCheckBox *m_fieldNames = nullptr;
};
