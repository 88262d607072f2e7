#pragma once

#include <QString>
#include <QStringList>

class TLogicForm;
class TMainForm;

// The hidden "--screenshot FILE" option: shows the main window, saves a picture
// of it to FILE and ends the program as "Exit" does. Used to make the picture of
// the documentation.
namespace Screenshot {

// Removes "--screenshot FILE" from arguments and returns FILE (empty without it).
QString TakeOption(QStringList &arguments);
void Schedule(TMainForm &form, TLogicForm &logic, const QString &file);

} // namespace Screenshot
