#include "programsettings.h"

#include "profile.h"

namespace Settings {

namespace {
QString S(const char *name) { return QLatin1String(name); }
} // namespace

QString DefaultCategoryName(int n) { return QStringLiteral("User Defined ") + QString::number(n); }

QString CategoryKey(int n) { return QStringLiteral("Cat") + QString::number(n); }

QString CleanValue(const QString &text)
{
    QString clean = text;
    for (QChar &c : clean)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return clean.trimmed();
}

QString CleanCategoryName(const QString &name) { return CleanValue(name); }

QString ProgramFromPath(const QString &path)
{
    QString program = CleanValue(path);
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    return program;
}

Options::Options()
{
    for (int n = 1; n <= CategoryCount; ++n)
        categoryNames << DefaultCategoryName(n);
}

QStringList CategoryNames(const Profile &profile)
{
    QStringList names;
    for (int n = 1; n <= CategoryCount; ++n) {
        const QString name = CleanCategoryName(profile.readString(S(CategoriesSection), CategoryKey(n)));
        names << (name.isEmpty() ? DefaultCategoryName(n) : name);
    }
    return names;
}

QString BrowserProgram(const Profile &profile)
{
    return ProgramFromPath(profile.readString(S(BrowserSection), S(PathKey)));
}

int MailMethodOf(const Profile &profile)
{
    return profile.readInteger(S(SettingsSection), S(INetMailKey), DefaultMailMethod);
}

bool CallerIdOn(const Profile &profile) { return profile.readBool(S(SettingsSection), S(CallerIdKey), false); }

int CallerHistorySize(const Profile &profile, int maxSize)
{
    const int size = profile.readInteger(S(SettingsSection), S(CallerHistoryKey), DefaultCallerHistory);
    return qBound(0, size, maxSize);
}

Options Options::Read(const Profile &profile)
{
    Options o;
    o.browserPath = CleanValue(profile.readString(S(BrowserSection), S(PathKey)));
    const QString dde = CleanValue(profile.readString(S(BrowserSection), S(DdeKey)));
    o.browserDde = dde.isEmpty() ? S(DefaultDde) : dde;
    o.mailMethod = MailMethodOf(profile);
    o.callerId = CallerIdOn(profile);
    o.categoryNames = CategoryNames(profile);
    return o;
}

bool Options::Write(Profile &profile) const
{
    // Every write is tried, so one value the file cannot take costs the others nothing.
    bool ok = profile.writeString(S(BrowserSection), S(PathKey), CleanValue(browserPath));
    ok = profile.writeString(S(BrowserSection), S(DdeKey), CleanValue(browserDde)) && ok;
    ok = profile.writeInteger(S(SettingsSection), S(INetMailKey), mailMethod) && ok;
    ok = profile.writeBool(S(SettingsSection), S(CallerIdKey), callerId) && ok;
    ok = profile.eraseSection(S(CategoriesSection)) && ok;
    for (int n = 1; n <= CategoryCount && n <= categoryNames.size(); ++n) {
        const QString name = CleanCategoryName(categoryNames.at(n - 1));
        ok = profile.writeString(S(CategoriesSection), CategoryKey(n), name.isEmpty() ? DefaultCategoryName(n) : name) && ok;
    }
    return profile.save() && ok;
}

} // namespace Settings
