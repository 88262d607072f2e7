#pragma once

#include "htmlexport.h"

#include <QList>
#include <QString>
#include <QStringList>

class TTreeNode;

// What the publishing wizard writes; the order of its file-type list.
enum class PublishType { Database, Html, Csv, VCard };
// The wizard's sheets, in form order.
enum class PublishSheet { Intro, DatabaseFile, Index, Graphics, Links, HtmlTarget, CsvColumns, CsvTarget, VCardTarget };

const QStringList &PublishTypeNames();
// The sheets a file type walks through.
QList<PublishSheet> PublishSequence(PublishType type);
// The background list, "No background" first.
const QStringList &BackgroundNames();
// A file name made of an item title and an extension: characters a file name cannot
// hold become "_", and an empty title gives "Untitled".
QString DefaultFileName(const QString &title, const QString &extension);

// The logic of the publishing wizard's pages, with no widgets: what each page holds,
// what a change on one page does to the others, and the export itself. The form shows
// it and hands every change to it.
class PublishPlan
{
public:
    explicit PublishPlan(TTreeNode *node);

    TTreeNode *Node() const { return m_node; }
    // The titles from the top down to the published item, joined by "/".
    QString PathText() const;

    PublishType Type() const { return m_type; }
    // Sets the file type. A card file needs a person or organization, or a container with
    // one below it; for anything else the type goes back to the database file and false
    // comes back (the form says why).
    bool SetType(PublishType type);
    QList<PublishSheet> Sequence() const { return PublishSequence(m_type); }

    // The target directories and file names of the four types (defaults: the documents
    // folder, the item's title with the type's extension).
    QString databaseDir, databaseName;
    QString htmlDir, mainPage, pageTitle;
    QString csvDir, csvName;
    QString vcardDir, vcardName;

    // The site's pages.
    HtmlExportOptions html;
    // "No background" clears the background and the preview; a name of the list takes
    // its preview (name.bmp) and, when that exists, its page background (name.gif) from
    // backgroundsDir; any other name leaves both empty.
    void ChooseBackground(const QString &name);
    // A picture file chosen by browsing: it becomes the background, without a preview.
    void SetBackgroundFile(const QString &file);
    QString PreviewFile() const { return m_preview; }
    QString backgroundsDir;

    // The CSV columns: the record type (an index into CsvRecordTypes) empties the chosen
    // columns and offers its own.
    int RecordType() const { return m_recordType; }
    void SetRecordType(int index);
    const QStringList &Available() const { return m_available; }
    const QStringList &Chosen() const { return m_chosen; }
    // Moves the named columns from one list to the end of the other.
    void ChooseColumns(const QStringList &names);
    void UnchooseColumns(const QStringList &names);
    void SetChosenOrder(const QStringList &names);
    // Whether the column page lets the wizard go on: at least one column chosen.
    bool ColumnsComplete() const { return !m_chosen.isEmpty(); }
    bool includeFieldNames = true;

    // The file the chosen type writes: its directory joined with its name.
    QString TargetPath() const;
    // What is wrong with the target's name ("Check Filename"), or empty when it may be written.
    QString CheckFilename() const;
    // Writes the chosen type. Raises EInOutError.
    void Run();

private:
    TTreeNode *m_node;
    PublishType m_type = PublishType::Database;
    QString m_preview;
    int m_recordType = 0;
    QStringList m_available;
    QStringList m_chosen;
};
