#include "itemservices.h"

#include <QTextStream>
#include <cstdio>

namespace {

// Used by the command-line tool and before the desktop program installs its own:
// nothing interactive happens, messages go to stderr.
class Quiet final : public ItemServices
{
public:
    bool EditItem(TZEBObject &, bool) override { return false; }
    void BeginRename(TTreeNode *) override {}
    void ExpandNode(TTreeNode *) override {}
    std::optional<qint32> ChooseCategories(qint32) override { return std::nullopt; }
    bool IsFilteredOut(qint32) const override { return false; }
    void Dial(const QString &, const QString &) override {}
    void SendMail(const QString &, const QString &, const QString &) override {}
    void SendFax(const QString &, const QString &, const QString &) override {}
    void Browse(const QString &) override {}
    bool ShellOpen(const QString &) override { return false; }
    bool StartProgram(const QString &, const QStringList &, const QString &) override { return false; }
    void ShowError(const QString &message) override { print(message); }
    void ShowInformation(const QString &message) override { print(message); }

private:
    static void print(const QString &message)
    {
        QTextStream err(stderr);
        err << message << Qt::endl;
    }
};

} // namespace

ItemServices &QuietServices()
{
    // Holds no state: one serves every database that has no services of its own.
    static Quiet quiet;
    return quiet;
}
