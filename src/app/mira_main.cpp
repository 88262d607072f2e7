#include "exchange/miracli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mirabook"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunMiraCli(app.arguments().mid(1), out, err, CliEnd::EndProcess);
}
