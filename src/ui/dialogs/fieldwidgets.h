#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

// An edit field with a length limit for typing (0: none) and an object name.
QLineEdit *MakeLimitedEdit(const QString &name, int limit, QWidget *parent);
// Sets the text of a limited field; a longer stored value (from an import, say) is
// shown whole rather than cut.
void SetLimitedText(QLineEdit *edit, int limit, const QString &text);

// The street lines of an address: a memo without word wrap, limited in characters.
class StreetMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit StreetMemo(int maxLength, QWidget *parent = nullptr);

    QStringList lines() const;
    // Shows the lines; stored lines longer than the limit are shown whole.
    void setLines(const QStringList &lines);

private:
    void enforceLimit();

    int m_limit;
    int m_maxLength;
    QString m_accepted;
};

// A website address: an editable list of schemes, starting with "http://".
QComboBox *MakeWebCombo(const QString &name, QWidget *parent);
