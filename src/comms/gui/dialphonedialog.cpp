#include "dialphonedialog.h"

#include "dialerform.h"
#include "dialsetupform.h"
#include "platform/telephonyline.h"

#include <QTimer>

TDialPhoneDialog::TDialPhoneDialog(LineMaker makeLine) : m_makeLine(std::move(makeLine))
{
    Settings.RegistryPath = QLatin1String(TDialSettings::DialerKey);
    Settings.Load();
}

std::unique_ptr<TetLine> TDialPhoneDialog::makeLine() const
{
    return m_makeLine ? m_makeLine() : std::make_unique<TetLine>();
}

void TDialPhoneDialog::Execute(QWidget *parent)
{
    TDialerForm form(Title, Recipient, PhoneNumber, Settings, makeLine(), parent);
    if (onShown)
        QTimer::singleShot(0, &form, [this, &form] { onShown(form); });
    form.exec();
}

bool TDialPhoneDialog::Setup(QWidget *parent)
{
    TDialSettings copy = Settings;
    const QStringList devices = makeLine()->Device().List;
    TDialSetupForm form(copy, devices, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    Settings = copy;
    return true;
}
