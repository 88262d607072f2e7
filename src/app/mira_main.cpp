#include "exchange/miracli.h"
#include "exchange/paint/pdfreportwriter.h"
#include "platform/hugepageheap.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

QtMessageHandler g_qtMessages = nullptr;

// The offscreen platform's note about a missing runtime directory says nothing about
// printing; everything else Qt says still reaches the error output.
void withoutRuntimeDirNote(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    g_qtMessages(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    RestartWithHugePageHeap(argv);
    // Printing measures and draws with fonts, which takes a GUI application; it never
    // opens a window, so it needs no display. Every other command stays a console program.
    bool printing = false;
    for (int i = 1; i < argc; ++i)
        printing = printing || qstrcmp(argv[i], "print") == 0;
    if (printing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_qtMessages = qInstallMessageHandler(withoutRuntimeDirNote);
    }
    std::unique_ptr<QCoreApplication> app;
    if (printing)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mirabook"));
    std::unique_ptr<PdfReportWriter> writer;
    if (printing) {
        writer = std::make_unique<PdfReportWriter>();
        SetCliReportWriter(writer.get());
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunMiraCli(QCoreApplication::arguments().mid(1), out, err, CliEnd::EndProcess);
}
