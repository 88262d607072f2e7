#pragma once

#include "store/optionsstate.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TImageList;

// "Options": the browser and mail method, the tools, the category names, the dialing
// settings and caller ID, on four pages. The logic is OptionsState's; this form shows
// it, and commits a field's edit on leaving it, on choosing another row and on closing.
class TOptionPages : public QDialog
{
    Q_OBJECT
public:
    TOptionPages(OptionsState &state, const TImageList &images, QWidget *parent = nullptr);
    ~TOptionPages() override;

    // The open-file dialog (returns the chosen path, empty for none); tests stand in.
    std::function<QString(const QString &title)> chooseFile;
    std::function<void()> showHelp;
    // "Dial Settings..." runs this; without dialing it stays disabled.
    void setDialSettings(std::function<void(QWidget *parent)> run);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

public:

    QTabWidget *pages() const { return m_pages; }
    QComboBox *ddeBox() const { return m_dde; }
    QLineEdit *pathEdit() const { return m_path; }
    QRadioButton *mailButton(int n) const; // 1 to 3
    QListWidget *toolsList() const { return m_toolsList; }
    QLineEdit *descriptionEdit() const { return m_description; }
    QLineEdit *fileNameEdit() const { return m_fileName; }
    QLineEdit *argumentsEdit() const { return m_arguments; }
    QCheckBox *addressCheckBox() const { return m_address; }
    QListWidget *catList() const { return m_catList; }
    QLineEdit *catNameEdit() const { return m_catName; }
    QCheckBox *callerIdCheck() const { return m_callerId; }
    QPushButton *dialSettingsButton() const { return m_dialSettingsBtn; }
    QPushButton *deleteToolButton() const { return m_deleteTool; }

    void SelectPathClick();
    void NewToolBtnClick();
    void DelToolBtnClick();
    void DialSettingsBtnClick();

private:
    QWidget *buildBrowserPage();
    QWidget *buildToolsPage();
    QWidget *buildCategoriesPage();
    QWidget *buildPhonePage();
    void addToolRow(int index);
    void refreshToolRow(int row);
    void ToolsListClick(int row);
    void AttributesChange(OptionsState::Field left);
    void commitPendingTool();
    void CatListClick(int row);
    void CatNameExit();
    void readPageFields();

    OptionsState &m_state;
    const TImageList &m_images;
    QTabWidget *m_pages;
    QComboBox *m_dde = nullptr;
    QLineEdit *m_path = nullptr;
    QRadioButton *m_mail[3] = {};
    QListWidget *m_toolsList = nullptr;
    QPushButton *m_deleteTool = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_fileName = nullptr;
    QLineEdit *m_arguments = nullptr;
    QCheckBox *m_address = nullptr;
    QListWidget *m_catList = nullptr;
    QLineEdit *m_catName = nullptr;
    QCheckBox *m_callerId = nullptr;
    QPushButton *m_dialSettingsBtn = nullptr;
    std::function<void(QWidget *parent)> m_dialSettings;
    // The field edited since the shown tool's fields were last taken or shown.
    std::optional<OptionsState::Field> m_pendingTool;
    bool m_catNameEdited = false;
    bool m_showing = false;
};
