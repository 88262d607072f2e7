#pragma once

#include <QString>
#include <QStringList>

class Profile;

// The program's options in zeb.ini, with their defaults, in one place: the options
// dialog, the browser link, mail sending, caller ID and the category names all read
// them through here, so a value means the same to every reader and a change written
// by the dialog is what the next reader sees.
namespace Settings {

inline constexpr const char *BrowserSection = "Browser";
inline constexpr const char *PathKey = "Path";
inline constexpr const char *DdeKey = "DDE";
inline constexpr const char *SettingsSection = "Settings";
inline constexpr const char *INetMailKey = "INetMail";
inline constexpr const char *CallerIdKey = "CallerId";
inline constexpr const char *CallerHistoryKey = "CallerHistory";
inline constexpr const char *CategoriesSection = "Categories";

inline constexpr const char *DefaultDde = "IExplore";
inline constexpr int DefaultCallerHistory = 50;

// There are exactly 32 categories; the names are "Cat1" to "Cat32".
constexpr int CategoryCount = 32;
QString DefaultCategoryName(int n);
QString CategoryKey(int n);

// How mail to stored addresses leaves: "INetMail" 1 to 3. A value outside these
// selects no method in the dialog; mail sending then treats it as the mail client.
enum class MailMethod { Mailto = 1, Mapi = 2, Browser = 3 };
constexpr int DefaultMailMethod = int(MailMethod::Mailto);

// Text from the file or a field as a value the file can hold on one line: control
// characters (line breaks included) become blanks, blanks around it go.
QString CleanValue(const QString &text);
// A category name: cleaned; empty when nothing but blanks is left (no name).
QString CleanCategoryName(const QString &name);
// The program to start for a configured browser or tool path: a trailing ".exe"
// is dropped (any case), nothing else.
QString ProgramFromPath(const QString &path);

struct Options
{
    QString browserPath; // as the user gave it; empty: the desktop's default browser
    QString browserDde = QLatin1String(DefaultDde);
    int mailMethod = DefaultMailMethod; // the raw value, also one outside 1 to 3
    bool callerId = false;
    QStringList categoryNames; // always CategoryCount names

    Options();
    // Missing keys and a missing file give the defaults; values are cleaned.
    static Options Read(const Profile &profile);
    // Writes "Browser" Path and DDE, "Settings" INetMail and CallerId, and the
    // section "Categories" erased and rewritten, then saves the file; every other
    // section and key of the file stays as it is. False, with profile.errorString(),
    // when the file cannot take them.
    bool Write(Profile &profile) const;
};

// Single readers, for those who need one value.
QString BrowserProgram(const Profile &profile);
int MailMethodOf(const Profile &profile);
bool CallerIdOn(const Profile &profile);
QStringList CategoryNames(const Profile &profile);
// The number of calls kept in the caller-ID history, within 0 and maxSize.
int CallerHistorySize(const Profile &profile, int maxSize);

} // namespace Settings
