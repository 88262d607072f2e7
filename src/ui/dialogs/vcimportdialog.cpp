#include "vcimportdialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A value label of a fixed width that shows a long text cut short, and whole in its tip.
QLabel *valueLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setFixedWidth(201);
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, 201));
    if (label->text() != text)
        label->setToolTip(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TVCImportDlg::TVCImportDlg(const QString &name, const QString &organization, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_name(valueLabel(name, this)), m_organization(valueLabel(organization, this))
{
    setWindowTitle(tr("vCard Import"));
    setModal(true);
    m_name->setObjectName(QStringLiteral("NameLabel"));
    m_organization->setObjectName(QStringLiteral("OrgLabel"));

    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);
    auto *intro = new QLabel(tr("Attempting to read vCard with the following information:"), bevel);
    intro->setWordWrap(true);
    auto *question = new QLabel(tr("How should this vCard be imported?"), bevel);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Name:"), bevel), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel(tr("Organization:"), bevel), 1, 0);
    grid->addWidget(m_organization, 1, 1);
    grid->setColumnStretch(2, 1);
    auto *inside = new QVBoxLayout(bevel);
    inside->addWidget(intro);
    inside->addLayout(grid);
    inside->addWidget(question);

    auto *asPerson = new QPushButton(tr("Import as Person"), this);
    auto *asOrg = new QPushButton(tr("Import as Orgn."), this);
    asPerson->setObjectName(QStringLiteral("PersonButton"));
    asOrg->setObjectName(QStringLiteral("OrgButton"));
    asPerson->setDefault(true);
    connect(asPerson, &QPushButton::clicked, this, &QDialog::reject);
    connect(asOrg, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(asPerson);
    buttons->addWidget(asOrg);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(313, 175)));
    // In the middle of the screen: the import may run while the main window is hidden.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

VCardImportAs AskVCardImport(const QString &name, const QString &organization, QWidget *parent)
{
    TVCImportDlg dialog(name, organization, parent);
    return dialog.exec() == QDialog::Accepted ? VCardImportAs::Organization : VCardImportAs::Person;
}
