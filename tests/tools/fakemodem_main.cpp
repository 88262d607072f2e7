// mira-fakemodem: a pretend modem on a pseudo-terminal, to try dialing and caller
// ID without a modem. List the port it prints under [Telephony] Ports= in zeb.ini.
#include "support/fakemodem.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QByteArray &text)
{
    std::fputs(text.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

const char kHelp[] = "Commands (one a line):\n"
                     "  call NUMBER [NAME]   an incoming call: rings, caller ID, three more rings\n"
                     "  ring                 one ring\n"
                     "  busy | nodialtone | nocarrier | error | ok\n"
                     "                       how the next dial commands are answered (ok: placed)\n"
                     "  echo on|off          repeat each command before the reply\n"
                     "  quit";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FakeModem modem;
    if (!modem.isValid()) {
        std::perror("mira-fakemodem: cannot make a pseudo-terminal");
        return 1;
    }
    modem.onCommand = [](const QByteArray &command) { say("<- " + command); };
    say("Fake modem on " + modem.path().toLocal8Bit() + "\nIn zeb.ini:\n  [Telephony]\n  Ports="
        + modem.path().toLocal8Bit() + "\n" + kHelp);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[512];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            app.quit();
            return;
        }
        pending += QByteArray(buf, n);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            const qsizetype blank = line.indexOf(' ');
            const QByteArray word = (blank < 0 ? line : line.left(blank)).toLower();
            const QByteArray rest = blank < 0 ? QByteArray() : line.mid(blank + 1).trimmed();
            if (word == "quit") {
                app.quit();
            } else if (word == "ring") {
                modem.ring();
            } else if (word == "call" && !rest.isEmpty()) {
                modem.ring();
                const qsizetype gap = rest.indexOf(' ');
                modem.sendCallerId(gap < 0 ? rest : rest.left(gap), gap < 0 ? QByteArray() : rest.mid(gap + 1).trimmed());
                for (int i = 1; i <= 3; ++i)
                    QTimer::singleShot(i * 6000, [&modem] { modem.ring(); });
            } else if (word == "busy" || word == "nodialtone" || word == "nocarrier" || word == "error") {
                const QByteArray reply = word == "nodialtone" ? "NO DIALTONE" : word == "nocarrier" ? "NO CARRIER" : word.toUpper();
                modem.scriptDial({reply});
            } else if (word == "ok") {
                modem.scriptDial({"OK"});
            } else if (word == "echo") {
                modem.setEcho(rest == "on");
            } else if (!word.isEmpty()) {
                say(kHelp);
            }
        }
    });
    return app.exec();
}
