#pragma once

#include <QDialog>

class ItemServices;
class QListWidget;
class QPushButton;
class TImageList;
class TToolItem;
class TToolItems;

// "Tools": the configured tools, one 36-pixel row each. Launch (or a double click)
// starts the chosen tool and closes; "New Address..." closes with NewAddress for a
// tool that allows addresses, and the caller makes the address.
class TToolsDlg : public QDialog
{
    Q_OBJECT
public:
    // Results besides Rejected ("&Close"): the tool was started, or an address is wanted.
    enum Result { Launched = QDialog::Accepted, NewAddress = 2 };

    TToolsDlg(const TToolItems &tools, const TImageList &images, ItemServices &services, QWidget *parent = nullptr);

    // The selected tool, or none.
    const TToolItem *selectedTool() const;

    QListWidget *toolsList() const { return m_list; }
    QPushButton *launchButton() const { return m_launch; }
    QPushButton *addressButton() const { return m_address; }

    void ToolsListClick();
    void LaunchBtnClick();
    void AddrBtnClick();
    void CloseBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    const TToolItems &m_tools;
    ItemServices &m_services;
    QListWidget *m_list;
    QPushButton *m_launch;
    QPushButton *m_address;
};
