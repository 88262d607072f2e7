#pragma once

#include <QIcon>
#include <QWidget>
#include <functional>
#include <memory>

class CallerIdMonitor;
class QLabel;
class QPushButton;
class QSpinBox;
class QSystemTrayIcon;
class QTreeView;
class QWidget;

// The caller-ID window: who is calling, a history of calls, and the caller found in
// the database. It has a tray icon of its own while monitoring is on; it shows
// itself when a call's caller ID arrives.
class TCallerIdForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *TrayTip = "Click to view caller ID window";

    // monitor: the caller-ID line and history (owned by the form).
    explicit TCallerIdForm(std::unique_ptr<CallerIdMonitor> monitor, QWidget *parent = nullptr);
    // Writes the history and its size.
    ~TCallerIdForm() override;

    // "Find": shows the main window and looks for the number there.
    std::function<void(const QString &number)> locatePhone;
    // "Dial...": dials a history row's number through the dialer.
    std::function<void(const QString &recipient, const QString &number)> dial;
    // The picture of a phone item in the history's rows.
    void setPhoneIcon(const QIcon &icon);

    CallerIdMonitor &monitor() { return *m_monitor; }
    // The tray icon is shown while monitoring is on.
    void setTrayIconActive(bool on);
    QSystemTrayIcon *trayIcon() const { return m_tray; }

    bool historyShown() const;
    void HistoryClick();
    void FindClick();
    void DialClick();
    void FindRowClick();
    void DeleteClick();

    QLabel *nameLabel() const { return m_name; }
    QLabel *numberLabel() const { return m_number; }
    QPushButton *findButton() const { return m_find; }
    QPushButton *historyButton() const { return m_historyButton; }
    QTreeView *historyView() const { return m_view; }
    QSpinBox *sizeEdit() const { return m_size; }

private:
    void showCall();
    int currentRow() const;

    std::unique_ptr<CallerIdMonitor> m_monitor;
    QIcon m_phoneIcon;
    QLabel *m_name;
    QLabel *m_number;
    QPushButton *m_find;
    QPushButton *m_historyButton;
    QWidget *m_historyPanel;
    QTreeView *m_view;
    QSpinBox *m_size;
    QSystemTrayIcon *m_tray;
};
