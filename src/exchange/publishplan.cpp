#include "publishplan.h"

#include "csvcolumns.h"
#include "csvexport.h"
#include "treepath.h"
#include "vcarditems.h"

#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const QStringList &PublishTypeNames()
{
    static const QStringList names{"Mirabook File (.MBD)", "HTML File (.HTM)", "Comma-separated Values (.CSV)",
                                   "vCard File (.VCF)"};
    return names;
}

QList<PublishSheet> PublishSequence(PublishType type)
{
    switch (type) {
    case PublishType::Database:
        return {PublishSheet::Intro, PublishSheet::DatabaseFile};
    case PublishType::Html:
        return {PublishSheet::Intro, PublishSheet::Index, PublishSheet::Graphics, PublishSheet::Links,
                PublishSheet::HtmlTarget};
    case PublishType::Csv:
        return {PublishSheet::Intro, PublishSheet::CsvColumns, PublishSheet::CsvTarget};
    case PublishType::VCard:
        return {PublishSheet::Intro, PublishSheet::VCardTarget};
    }
    return {PublishSheet::Intro};
}

const QStringList &BackgroundNames()
{
    static const QStringList names{"No background", "beads",    "chalk",    "cloud1",   "cloud2", "cloud3", "cloud4",
                                   "concrete",      "fire",     "floortile", "flower",  "foam",   "grid",   "lace",
                                   "letters",       "marble",   "nova",     "sand",     "smear1", "smear2", "soil",
                                   "speckle",       "stone",    "terrain1", "terrain2", "terrain3", "vines", "weave"};
    return names;
}

QString DefaultFileName(const QString &title, const QString &extension)
{
    QString name = title.trimmed();
    for (QChar &c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            c = u'_';
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("Untitled");
    return name + extension;
}

namespace {

bool IsContact(const TZEBObject *item)
{
    return item && (item->Kind() == ItemKind::Person || item->Kind() == ItemKind::Organization);
}

bool HasContactBelow(TTreeNode *node)
{
    bool found = false;
    ForEachPublishedNode(node, [&](TTreeNode *n, int) { found = found || IsContact(n->Item()); });
    return found;
}

QString JoinPath(const QString &dir, const QString &name)
{
    if (dir.isEmpty())
        return name;
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
}

QString DocumentsDir()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

PublishPlan::PublishPlan(TTreeNode *node) : m_node(node)
{
    const QString title = node->Item()->Title();
    databaseDir = htmlDir = csvDir = vcardDir = DocumentsDir();
    databaseName = DefaultFileName(title, QStringLiteral(".mbd"));
    mainPage = DefaultFileName(title, QStringLiteral(".htm"));
    csvName = DefaultFileName(title, QStringLiteral(".csv"));
    vcardName = DefaultFileName(title, QStringLiteral(".vcf"));
    pageTitle = title;
    html.useFrames = true;
    html.includeMbd = true;
    html.includeVCard = true;
    backgroundsDir = WebGraphicsDir(QStringLiteral("backgrounds"));
    SetRecordType(0);
}

QString PublishPlan::PathText() const { return TreePath(m_node); }

bool PublishPlan::SetType(PublishType type)
{
    if (type == PublishType::VCard && !IsContact(m_node->Item()) && !HasContactBelow(m_node)) {
        m_type = PublishType::Database;
        return false;
    }
    m_type = type;
    return true;
}

void PublishPlan::ChooseBackground(const QString &name)
{
    html.backgroundFile.clear();
    m_preview.clear();
    if (name == BackgroundNames().front() || !BackgroundNames().contains(name))
        return;
    const QDir dir(backgroundsDir);
    m_preview = dir.filePath(name + QStringLiteral(".bmp"));
    if (QFileInfo::exists(m_preview))
        html.backgroundFile = dir.filePath(name + QStringLiteral(".gif"));
}

void PublishPlan::SetBackgroundFile(const QString &file)
{
    html.backgroundFile = file;
    m_preview.clear();
}

void PublishPlan::SetRecordType(int index)
{
    const auto &types = CsvRecordTypes();
    if (index < 0 || size_t(index) >= types.size())
        return;
    m_recordType = index;
    m_available = types[size_t(index)].columns;
    m_chosen.clear();
}

void PublishPlan::ChooseColumns(const QStringList &names)
{
    for (const QString &name : names)
        if (m_available.removeOne(name))
            m_chosen << name;
}

void PublishPlan::UnchooseColumns(const QStringList &names)
{
    for (const QString &name : names)
        if (m_chosen.removeOne(name))
            m_available << name;
}

void PublishPlan::SetChosenOrder(const QStringList &names)
{
    // Only a reordering: the same columns, each once.
    QStringList a = names, b = m_chosen;
    a.sort();
    b.sort();
    if (a == b)
        m_chosen = names;
}

QString PublishPlan::TargetPath() const
{
    switch (m_type) {
    case PublishType::Database:
        return JoinPath(databaseDir, databaseName);
    case PublishType::Html:
        return JoinPath(htmlDir, mainPage);
    case PublishType::Csv:
        return JoinPath(csvDir, csvName);
    case PublishType::VCard:
        return JoinPath(vcardDir, vcardName);
    }
    return {};
}

QString PublishPlan::CheckFilename() const
{
    const QString path = TargetPath();
    const QFileInfo info(path);
    if (m_type == PublishType::Database && !path.endsWith(QLatin1String(".mbd"), Qt::CaseInsensitive))
        return QStringLiteral("The exported filename needs to have an extension of \".mbd\"");
    if (m_type == PublishType::VCard && !path.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive))
        return QStringLiteral("The exported filename needs to have an extension of \".vcf\"");
    if (info.fileName().isEmpty() || info.isDir())
        return QStringLiteral("Please type a name for the file.");
    if (!info.absoluteDir().exists())
        return QStringLiteral("The folder \"%1\" does not exist.").arg(info.absolutePath());
    if (m_type == PublishType::Html && !IsAllowedMainPage(path, html))
        return QStringLiteral("With frames, the main page cannot be named \"%1\": the frames use that name.")
            .arg(info.fileName());
    // The data directory is the current directory: its own files are never written over.
    for (const QString &own : {RecordFile::DatabaseName, RecordFile::TransactionName, RecordFile::ClipboardFileName})
        if (info.absoluteFilePath() == QFileInfo(own).absoluteFilePath())
            return QStringLiteral("\"%1\" is the program's own file.").arg(info.fileName());
    return {};
}

void PublishPlan::Run()
{
    const QString path = TargetPath();
    switch (m_type) {
    case PublishType::Database:
        ExportSubtree(m_node, path);
        return;
    case PublishType::Html: {
        HtmlExportOptions options = html;
        options.pageTitle = pageTitle;
        WriteSite(m_node, path, options);
        return;
    }
    case PublishType::Csv: {
        CsvExportOptions options;
        options.kind = CsvRecordTypes()[size_t(m_recordType)].kind;
        options.columns = m_chosen;
        options.includeFieldNames = includeFieldNames;
        ExportCsv(m_node, path, options);
        return;
    }
    case PublishType::VCard:
        if (IsContact(m_node->Item()))
            WriteVCardFile(*m_node->Item(), path);
        else
            WriteVCardSubtree(m_node, path);
        return;
    }
}
