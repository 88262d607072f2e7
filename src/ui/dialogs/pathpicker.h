#pragma once

#include <QWidget>

class QLineEdit;

// A file or directory name with a "Browse..." button.
class TPathPicker : public QWidget
{
    Q_OBJECT
public:
    // filter empty: a directory is picked.
    TPathPicker(const QString &filter, QWidget *parent);
    QString Path() const;
    void SetPath(const QString &path);
    QLineEdit *edit() const { return m_edit; }

signals:
    void pathChanged(const QString &path);

private:
    QString m_filter;
    QLineEdit *m_edit;
};
