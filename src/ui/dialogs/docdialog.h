#pragma once

#include "itemdialog.h"

#include <functional>

class TDocObject;

// "Document": a title, the file's path with "Browse...", and a comment. OK waits for
// both the title and the path, so a document always points at a file.
class TDocEditDlg : public ItemDialog
{
    Q_OBJECT
public:
    TDocEditDlg(TDocObject &doc, const QStringList &categoryNames, QWidget *parent = nullptr);

    // Asks for an existing file, starting in startDir; empty when cancelled.
    // (An open-file dialog; tests answer it themselves.)
    std::function<QString(const QString &startDir)> chooseFile;

    void BrowseBtnClick();
    bool apply();

private:
    TDocObject &m_doc;
    QLineEdit *m_title;
    QLineEdit *m_fileName;
    QLineEdit *m_comment;
};
