#include "screenshot.h"

#include "logicform.h"
#include "mainform.h"

#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace Screenshot {

namespace {
const QString Option = QStringLiteral("--screenshot");
constexpr int SettleMs = 1500;
} // namespace

QString TakeOption(QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(Option, 1);
    if (at < 0 || at + 1 >= arguments.size())
        return QString();
    const QString file = arguments.at(at + 1);
    arguments.remove(at, 2);
    return file;
}

void Schedule(TMainForm &form, TLogicForm &logic, const QString &file)
{
    logic.Restore();
    QTimer::singleShot(SettleMs, &logic, [&form, &logic, file] {
        if (!form.grab().save(file, "PNG"))
            std::fprintf(stderr, "mirabook: cannot write %s\n", qPrintable(file));
        logic.Exit();
    });
}

} // namespace Screenshot
