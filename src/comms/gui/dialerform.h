#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class DialerSession;
class QCheckBox;
class QLabel;
class QPushButton;
class QStatusBar;
class TDialSettings;
class TetLine;

// The dialer window: dials a stored number, and hands the call to the handset on
// "Talk". Closing it drops a call that was never hung up.
class TDialerForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Instructions =
        "Lift the receiver now, then press \"Talk\" to begin your call. When your call is complete, "
        "click \"Hangup\" to end the call.";

    TDialerForm(const QString &caption, const QString &recipient, const QString &number,
                const TDialSettings &settings, std::unique_ptr<TetLine> line, QWidget *parent = nullptr);
    ~TDialerForm() override;

    // How a dialing error is shown (a message box; tests record it instead).
    std::function<void(const QString &)> showError;

    DialerSession &session() { return *m_session; }
    QPushButton *talkButton() const { return m_talk; }
    QPushButton *hangupButton() const { return m_hangup; }
    QPushButton *redialButton() const { return m_redial; }
    QCheckBox *longDistanceBox() const { return m_longDistance; }
    QString statusText() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<DialerSession> m_session;
    QString m_number;
    bool m_started = false;
    QLabel *m_numberLabel;
    QCheckBox *m_longDistance;
    QPushButton *m_talk;
    QPushButton *m_hangup;
    QPushButton *m_redial;
    QStatusBar *m_status;
};
