#include "fieldwidgets.h"

QLineEdit *MakeLimitedEdit(const QString &name, int limit, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (limit > 0)
        edit->setMaxLength(limit);
    return edit;
}

void SetLimitedText(QLineEdit *edit, int limit, const QString &text)
{
    if (limit > 0)
        edit->setMaxLength(qMax<int>(limit, int(text.size())));
    edit->setText(text);
}

StreetMemo::StreetMemo(int maxLength, QWidget *parent)
    : QPlainTextEdit(parent), m_limit(maxLength), m_maxLength(maxLength)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &StreetMemo::enforceLimit);
}

QStringList StreetMemo::lines() const { return toPlainText().split(u'\n'); }

void StreetMemo::setLines(const QStringList &lines)
{
    const QString text = lines.join(u'\n');
    m_maxLength = qMax<int>(m_limit, int(text.size()));
    m_accepted = text;
    setPlainText(text);
}

void StreetMemo::enforceLimit()
{
    const QString text = toPlainText();
    if (text.size() <= m_maxLength) {
        m_accepted = text;
        return;
    }
    // Typing or pasting past the limit is undone; the cursor stays where it was.
    const int cursor = qMin<int>(textCursor().position(), int(m_accepted.size()));
    QSignalBlocker block(this);
    setPlainText(m_accepted);
    QTextCursor c = textCursor();
    c.setPosition(cursor);
    setTextCursor(c);
}

QComboBox *MakeWebCombo(const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({QStringLiteral("http://"), QStringLiteral("ftp://"), QStringLiteral("news:"),
                     QStringLiteral("mailto:"), QStringLiteral("gopher://"), QStringLiteral("wais:"),
                     QStringLiteral("telnet:")});
    combo->setEditText(QStringLiteral("http://"));
    return combo;
}
