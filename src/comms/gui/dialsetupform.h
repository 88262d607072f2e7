#pragma once

#include "comms/dialsetup.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "New Dialing Location": the name of a location.
class TNewLocationForm : public QDialog
{
    Q_OBJECT
public:
    explicit TNewLocationForm(QWidget *parent = nullptr);
    QString name() const;
    QLineEdit *nameEdit() const { return m_name; }

private:
    QLineEdit *m_name;
};

// "Dialing Properties": the device, the locations and how to dial from them. It
// edits the settings it is given and saves them on OK.
class TDialSetupForm : public QDialog
{
    Q_OBJECT
public:
    TDialSetupForm(TDialSettings &settings, const QStringList &devices, QWidget *parent = nullptr);

    DialSetupState &state() { return m_state; }
    QComboBox *locationBox() const { return m_location; }
    QPushButton *deleteButton() const { return m_delete; }
    QCheckBox *useCardBox() const { return m_useCard; }
    QComboBox *serviceBox() const { return m_service; }
    QLineEdit *cardNumberEdit() const { return m_cardNumber; }
    QLineEdit *codeEdit() const { return m_code; }
    QLineEdit *areaEdit() const { return m_area; }

    // "New...": asks for the name (the function stands in for the dialog in tests).
    std::function<QString()> askLocationName;
    void NewClick();
    void DeleteClick();

    void accept() override;

private:
    void showState();
    void readFields();
    void enableCardFields();
    void fail();

    DialSetupState m_state;
    bool m_showing = false;
    QComboBox *m_provider;
    QComboBox *m_location;
    QPushButton *m_new;
    QPushButton *m_delete;
    QLineEdit *m_area;
    QLineEdit *m_localFirst;
    QLineEdit *m_ldFirst;
    QRadioButton *m_tone;
    QRadioButton *m_pulse;
    QCheckBox *m_useCard;
    QComboBox *m_service;
    QLineEdit *m_cardNumber;
    QLineEdit *m_code;
};
