#include "nicknames.h"

#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QScopeGuard>

namespace {

bool isSeparator(QChar c) { return c == u',' || c.isSpace() || c.category() == QChar::Other_Control; }

QString stripBrackets(QString word)
{
    auto strip = [](QChar c) { return c == u'<' || c == u'"' || c == u'>'; };
    if (!word.isEmpty() && strip(word.front()))
        word.remove(0, 1);
    if (!word.isEmpty() && strip(word.back()))
        word.chop(1);
    return word;
}

} // namespace

QStringList SplitNicknameWords(const QString &line)
{
    QStringList words;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && isSeparator(line.at(i)))
            ++i;
        if (i >= n)
            break;
        QString word;
        if (line.at(i) == u'"') {
            for (++i; i < n; ++i) {
                if (line.at(i) == u'"') {
                    if (i + 1 < n && line.at(i + 1) == u'"') {
                        word += u'"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                word += line.at(i);
            }
        } else {
            while (i < n && !isSeparator(line.at(i)))
                word += line.at(i++);
        }
        words << word;
    }
    return words;
}

ImportNotes ImportNicknameFile(TTreeNode *parent, const QString &fileName)
{
    ImportNotes notes;
    if (!QFileInfo::exists(fileName))
        return notes;
    if (const TZEBObject *owner = parent->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
    const QStringList lines = ImportText::ReadText(fileName).split(u'\n');
    TTreeNodes *nodes = parent->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    TZEBObject *folder = CreateItem(ItemKind::Folder, QStringLiteral("Eudora Addresses"), {}, {}, parent, {}, 0);
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(QLatin1String("alias"))) {
            QStringList words = SplitNicknameWords(line);
            words.removeFirst();
            QString address;
            if (words.size() >= 2)
                for (const QString &w : words.mid(1))
                    if (const QString a = stripBrackets(w); a.contains(u'@')) {
                        address = a;
                        break;
                    }
            if (address.isEmpty()) {
                notes.Skip(i + 1);
                continue;
            }
            CreateItem(ItemKind::EMail, words.front(), address, {}, folder->Node(), {}, 0);
            ++notes.made;
        } else if (line.startsWith(QLatin1String("note"))) {
            QStringList words = SplitNicknameWords(line);
            words.removeFirst();
            if (words.size() < 2)
                continue;
            if (TZEBObject *mail = folder->FindChild(words.front(), ItemKind::EMail)) {
                // The text after "note", the nickname and the blanks between.
                const qsizetype at = line.indexOf(words.front(), 4) + words.front().size();
                mail->SetComment(line.mid(at).trimmed().left(255));
            }
        }
    }
    return notes;
}
