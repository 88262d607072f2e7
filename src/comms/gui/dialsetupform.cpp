#include "dialsetupform.h"

#include "comms/callingcards.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TNewLocationForm::TNewLocationForm(QWidget *parent) : QDialog(parent), m_name(new QLineEdit(this))
{
    setWindowTitle(tr("New Dialing Location"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("Name of Location:"), this);
    label->setBuddy(m_name);
    layout->addWidget(label);
    layout->addWidget(m_name);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough for its caption.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2);
}

QString TNewLocationForm::name() const { return m_name->text(); }

TDialSetupForm::TDialSetupForm(TDialSettings &settings, const QStringList &devices, QWidget *parent)
    : QDialog(parent), m_state(settings, devices)
{
    setWindowTitle(tr("Dialing Properties"));
    auto *layout = new QVBoxLayout(this);

    auto *deviceGroup = new QGroupBox(tr("Telephony Device "), this);
    auto *deviceLayout = new QVBoxLayout(deviceGroup);
    deviceLayout->addWidget(new QLabel(tr("Select device for telephony services:"), deviceGroup));
    m_provider = new QComboBox(deviceGroup);
    m_provider->addItems(devices);
    deviceLayout->addWidget(m_provider);
    layout->addWidget(deviceGroup);

    auto *locationGroup = new QGroupBox(tr("Location "), this);
    auto *locationLayout = new QGridLayout(locationGroup);
    locationLayout->addWidget(new QLabel(tr("I am dialing from: "), locationGroup), 0, 0);
    m_location = new QComboBox(locationGroup);
    m_location->setMinimumContentsLength(16);
    locationLayout->addWidget(m_location, 0, 1);
    m_new = new QPushButton(tr("New..."), locationGroup);
    m_delete = new QPushButton(tr("Delete"), locationGroup);
    locationLayout->addWidget(m_new, 0, 2);
    locationLayout->addWidget(m_delete, 0, 3);
    locationLayout->addWidget(new QLabel(tr("The area code is:"), locationGroup), 1, 0);
    m_area = new QLineEdit(locationGroup);
    m_area->setMaxLength(5);
    locationLayout->addWidget(m_area, 1, 1, Qt::AlignLeft);
    layout->addWidget(locationGroup);

    auto *howGroup = new QGroupBox(tr("How to Dial "), this);
    auto *howLayout = new QVBoxLayout(howGroup);
    howLayout->addWidget(new QLabel(tr("To access an outside line, first dial:"), howGroup));
    auto *prefixes = new QHBoxLayout;
    m_localFirst = new QLineEdit(howGroup);
    m_localFirst->setMaxLength(2);
    m_ldFirst = new QLineEdit(howGroup);
    m_ldFirst->setMaxLength(2);
    prefixes->addWidget(m_localFirst);
    prefixes->addWidget(new QLabel(tr("for local, "), howGroup));
    prefixes->addWidget(m_ldFirst);
    prefixes->addWidget(new QLabel(tr("for long distance."), howGroup));
    prefixes->addStretch();
    howLayout->addLayout(prefixes);
    auto *mode = new QHBoxLayout;
    mode->addWidget(new QLabel(tr("Dial using: "), howGroup));
    m_tone = new QRadioButton(tr("Tone Dialing"), howGroup);
    m_pulse = new QRadioButton(tr("Pulse Dialing"), howGroup);
    m_tone->setChecked(true);
    mode->addWidget(m_tone);
    mode->addWidget(m_pulse);
    mode->addStretch();
    howLayout->addLayout(mode);
    layout->addWidget(howGroup);

    auto *cardGroup = new QGroupBox(this);
    auto *cardLayout = new QGridLayout(cardGroup);
    m_useCard = new QCheckBox(tr("Use calling card   "), cardGroup);
    cardLayout->addWidget(m_useCard, 0, 0, 1, 2);
    cardLayout->addWidget(new QLabel(tr("Select service: "), cardGroup), 1, 0);
    m_service = new QComboBox(cardGroup);
    for (const CallingCardService &s : ServiceFormats)
        m_service->addItem(QString::fromLatin1(s.name));
    cardLayout->addWidget(m_service, 1, 1);
    cardLayout->addWidget(new QLabel(tr("Calling card number:"), cardGroup), 2, 0);
    m_cardNumber = new QLineEdit(cardGroup);
    cardLayout->addWidget(m_cardNumber, 2, 1);
    cardLayout->addWidget(new QLabel(tr("Format to dial:"), cardGroup), 3, 0);
    m_code = new QLineEdit(cardGroup);
    cardLayout->addWidget(m_code, 3, 1);
    auto *legend = new QLabel(tr(",=pause   $=wait for tone   N=dial number"), cardGroup);
    QFont bold = legend->font();
    bold.setBold(true);
    legend->setFont(bold);
    cardLayout->addWidget(legend, 4, 1);
    layout->addWidget(cardGroup);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TDialSetupForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The short fields are as wide as what they hold.
    const auto fit = [](QLineEdit *edit) {
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(edit->maxLength() + 2, u'0')) + 12);
    };
    for (QLineEdit *edit : {m_area, m_localFirst, m_ldFirst})
        fit(edit);

    askLocationName = [this] {
        TNewLocationForm form(this);
        return form.exec() == QDialog::Accepted ? form.name() : QString();
    };
    connect(m_new, &QPushButton::clicked, this, &TDialSetupForm::NewClick);
    connect(m_delete, &QPushButton::clicked, this, &TDialSetupForm::DeleteClick);
    connect(m_location, &QComboBox::activated, this, [this](int index) {
        if (!m_state.SelectLocation(index))
            fail();
        showState();
    });
    connect(m_useCard, &QCheckBox::toggled, this, &TDialSetupForm::enableCardFields);
    connect(m_service, &QComboBox::currentIndexChanged, this, [this] {
        if (m_showing)
            return;
        readFields();
        m_state.ExpandCard();
        m_code->setText(m_state.fields.code);
    });
    connect(m_cardNumber, &QLineEdit::textEdited, this, [this] {
        readFields();
        m_state.ExpandCard();
        m_code->setText(m_state.fields.code);
    });

    m_state.Show();
    showState();
}

void TDialSetupForm::showState()
{
    m_showing = true;
    const DialSetupState::Fields &f = m_state.fields;
    m_provider->setCurrentIndex(f.device);
    m_location->clear();
    m_location->addItems(m_state.locations());
    m_location->setCurrentIndex(m_state.selectedLocation());
    m_delete->setEnabled(m_state.deleteEnabled());
    m_area->setText(f.areaCode);
    m_localFirst->setText(f.localPrefix);
    m_ldFirst->setText(f.longPrefix);
    (f.dialMode == TDialMode::dmPulse ? m_pulse : m_tone)->setChecked(true);
    m_useCard->setChecked(f.useCard);
    enableCardFields();
    m_service->setCurrentIndex(f.service);
    m_cardNumber->setText(f.cardNumber);
    m_code->setText(f.code);
    m_showing = false;
}

void TDialSetupForm::readFields()
{
    DialSetupState::Fields &f = m_state.fields;
    f.device = m_provider->currentIndex();
    f.areaCode = m_area->text();
    f.localPrefix = m_localFirst->text();
    f.longPrefix = m_ldFirst->text();
    f.dialMode = m_pulse->isChecked() ? TDialMode::dmPulse : TDialMode::dmTone;
    f.useCard = m_useCard->isChecked();
    f.service = m_service->currentIndex();
    f.cardNumber = m_cardNumber->text();
    f.code = m_code->text();
}

void TDialSetupForm::enableCardFields()
{
    const bool on = m_useCard->isChecked();
    m_service->setEnabled(on);
    m_cardNumber->setEnabled(on);
    m_code->setEnabled(on);
}

void TDialSetupForm::fail()
{
    if (!m_state.errorString().isEmpty())
        QMessageBox::critical(this, windowTitle(), m_state.errorString());
}

void TDialSetupForm::NewClick()
{
    const QString name = askLocationName();
    if (name.isEmpty())
        return;
    if (!m_state.NewLocation(name))
        fail();
    showState();
}

void TDialSetupForm::DeleteClick()
{
    if (!m_state.DeleteSelected())
        fail();
    showState();
}

void TDialSetupForm::accept()
{
    readFields();
    if (!m_state.Accept()) {
        fail();
        return;
    }
    QDialog::accept();
}
