#pragma once

#include <QString>
#include <QUrl>

class ItemServices;

// The HTML help pages and the topic numbers windows and dialogs carry.
namespace HelpTopics {

constexpr int Contents = 0;
constexpr int MainWindow = 1003;
constexpr int ItemDialogs = 1039;
constexpr int Options = 1040;

// The page of a topic; unknown topics open the contents.
QString PageForTopic(int topic);
// The folder of the help pages: "mirabook/help" in the first standard data
// directory that has them, else the source tree's.
QString HelpDir();
QUrl UrlForTopic(int topic);
// Opens the topic's page in the desktop's browser; says so through services when it cannot.
bool ShowTopic(int topic, ItemServices &services);

} // namespace HelpTopics
