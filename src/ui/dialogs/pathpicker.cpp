#include "pathpicker.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TPathPicker::TPathPicker(const QString &filter, QWidget *parent)
    : QWidget(parent), m_filter(filter), m_edit(new QLineEdit(this))
{
    auto *browse = new QPushButton(tr("Browse..."), this);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_edit, 1);
    row->addWidget(browse);
    connect(m_edit, &QLineEdit::textChanged, this, &TPathPicker::pathChanged);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString start = Path().isEmpty() ? QDir::homePath() : Path();
        const QString picked = m_filter.isEmpty() ? QFileDialog::getExistingDirectory(this, QString(), start)
                                                  : QFileDialog::getOpenFileName(this, QString(), start, m_filter);
        if (!picked.isEmpty())
            SetPath(picked);
    });
}

QString TPathPicker::Path() const { return m_edit->text().trimmed(); }
void TPathPicker::SetPath(const QString &path) { m_edit->setText(QDir::toNativeSeparators(path)); }
