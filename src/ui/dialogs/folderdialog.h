#pragma once

#include "itemdialog.h"
#include "store/folderlocation.h"

#include <functional>

class QCheckBox;
class QLabel;
class QRadioButton;
class TFolderObject;

// The folder's properties: title, comment, and whether (and where) it is a remote
// folder read from an exported file.
class TFolderEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TFolderEditDlg(TFolderObject &folder, const QStringList &categoryNames, QWidget *parent = nullptr);

    // The location OK stores (empty for a local folder).
    QString Location() const { return m_location.result(); }
    // What OK does to the folder.
    void apply();
    // OK; asks first when a folder that holds items is about to become remote and lose them.
    void accept() override;
    static constexpr const char *DiscardQuestion =
        "A remote folder shows only what its source holds: the items in this folder will be deleted. "
        "Make it remote anyway?";

    // Asks for an existing exported file, starting at a name; empty when cancelled.
    std::function<QString(const QString &start)> chooseFile;

private:
    void remoteClicked();
    void radioClicked();
    void browse();
    void updateControls();

    TFolderObject &m_folder;
    FolderLocation m_location;
    QLineEdit *m_title;
    QLineEdit *m_comment;
    QCheckBox *m_isRemote;
    QRadioButton *m_lanRadio;
    QRadioButton *m_internetRadio;
    QLineEdit *m_locationEdit;
    QLabel *m_prefixLabel;
    QPushButton *m_browse;
};
