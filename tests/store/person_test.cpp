#include "recordfiletestutil.h"
#include "exchange/csvexport.h"
#include "support/storefixture.h"

namespace {

class PersonTest : public StoreFixture
{
protected:
    TPersonObject *person(const QString &dataLine = {}, const QString &title = QStringLiteral("Kim Sample"))
    {
        return dynamic_cast<TPersonObject *>(add(ItemKind::Person, title, root, {}, dataLine, 234567));
    }
    TZEBObject *child(TPersonObject *p, ItemKind kind, const QString &title, const QString &value)
    {
        return add(kind, title, p->Node(), value);
    }
};

} // namespace

TEST_F(PersonTest, PopupFollowsThePrimaryFields)
{
    EXPECT_EQ(person()->PreparePopup(), PopupVisibility{});
    const struct { const char *line; PopupVisibility shows; } cases[] = {
        {"{Pers}~~~~~~~~~~Home~~~~~~~~0", {.Dial = true}},
        {"{Pers}~~~~~~~~~~~~Fax~~~~~~0", {.SendFax = true}},
        {"{Pers}~~~~~~~~~~~~~~Mail~~~~0", {.SendMail = true}},
        {"{Pers}~~~~~~~~~~~~~~~~Site~~0", {.Browse = true}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(person(c.line)->PreparePopup(), c.shows) << c.line;
}

TEST_F(PersonTest, ActionsGoToThePrimaryChildOfTheRightKind)
{
    TPersonObject *p = person("{Pers}~~~~~~~~~~Home~~Office~~Mail~~Site~~0");
    child(p, ItemKind::Fax, "Home", "555-0199"); // same title, other kind
    child(p, ItemKind::Phone, "Home", "555-0100");
    child(p, ItemKind::Phone, "Home", "555-0111"); // the first of a title wins
    child(p, ItemKind::EMail, "Mail", "kim@example.org");
    child(p, ItemKind::Fax, "Office", "555-0200");
    child(p, ItemKind::Website, "Site", "http://example.org");
    p->Dial();
    p->SendFax("/tmp/letter.pdf");
    p->SendMail(QString());
    p->Browse();
    EXPECT_EQ(services.calls, QStringList({"dial Home|555-0100", "fax Office|555-0200|/tmp/letter.pdf",
                                           "mail Mail|kim@example.org|", "browse http://example.org"}));

    // Titles are compared exactly; a missing child does nothing.
    services.calls.clear();
    p->SetPrimaryPhone("home");
    p->SetPrimaryFax(QString());
    p->SetPrimaryWebsite("Mail");
    p->Dial();
    p->SendFax(QString());
    p->Browse();
    // Open expands the person's own node rather than editing it.
    p->Open();
    EXPECT_EQ(services.calls, QStringList({"expand Kim Sample"}));
}

TEST_F(PersonTest, CsvCellsComeFromTheFieldsOrThePrimaryChildren)
{
    TPersonObject *p = person("{Pers}Ms.~~Kim~~~~Sam \"Q\" Ple~~~~Desk~~Desk~~~~~~0");
    child(p, ItemKind::Fax, "Desk", "555-0199");
    dynamic_cast<TPhoneObject *>(child(p, ItemKind::Phone, "Desk", "555-0100"))->SetExtension("12");
    const auto row = CsvLine(*p, {"Last Name", "Middle Name", "Phone Number", "Extension", "Fax Number", "Shoe Size"});
    // Phone and fax of the same title each answer their own column; an unknown column is empty.
    EXPECT_EQ(row, "\"Sam \"\"Q\"\" Ple\",\"\",\"555-0100\",\"12\",\"555-0199\",");
}

TEST_F(PersonTest, CsvImportMakesThePrimaryChildren)
{
    TPersonObject *p = person({}, "New");
    const QStringList names = {"First Name", "Phone Number", "Extension", "Comment", "E-Mail Address",
                               "Website", "Address Line 1", "City", "Title"};
    const QStringList values = {"Kim", "555-0100", "7", "met at the fair", "kim@example.org", "example.org",
                                "", "Springfield", ""};
    ASSERT_TRUE(p->ImportFields(values, names));
    EXPECT_EQ(QStringList({p->Value(), p->Node()->Text(), p->Comment()}),
              QStringList({"Kim ", "Kim ", "met at the fair"}));

    // Children take the record's cells but not its comment. An empty first street
    // line makes no address; the import does not check a website's scheme.
    auto *phone = dynamic_cast<TPhoneObject *>(p->FindChild("Primary Phone", ItemKind::Phone));
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(QStringList({phone->Extension(), phone->Comment()}), QStringList({"7", ""}));
    EXPECT_EQ(p->FindChild("Primary EMail", ItemKind::EMail)->Value(), "kim@example.org");
    EXPECT_EQ(QStringList({p->PrimaryPhone(), p->PrimaryAddress(), p->PrimaryWebsite()}),
              QStringList({"Primary Phone", "", "Primary Website"}));
    EXPECT_EQ(std::pair(p->Node()->Count(), p->ChildCount()), std::pair(1, 2)); // the website is a node

    // Without a title column the title stays; the names make the value.
    TPersonObject *untitled = person({}, "New");
    ASSERT_TRUE(untitled->ImportFields({"Kim", "Sample", ""}, {"First Name", "Last Name", "Website"}));
    EXPECT_EQ(QStringList({untitled->Title(), untitled->Value(), untitled->PrimaryWebsite()}),
              QStringList({"New", "Kim Sample", ""}));
    EXPECT_EQ(untitled->Node()->Count(), 0); // the failed website import takes its node away again

    // Neither name: rejected, and no children made.
    TPersonObject *nobody = person({}, "New");
    EXPECT_FALSE(nobody->ImportFields({"", "555-0100"}, {"Last Name", "Phone Number"}));
    EXPECT_EQ(nobody->ChildCount(), 0);
}

TEST_F(PersonTest, TitleSplitting)
{
    const auto parts = [](const TPersonNames &n) {
        return QStringList{n.Salutation, n.FirstName, n.MiddleName, n.LastName};
    };
    TPersonNames names{"Mr.", "old", "kept", "old"};
    EXPECT_TRUE(SplitTitle("Kim Sample", names));
    EXPECT_EQ(parts(names), QStringList({"Mr.", "Kim", "kept", "Sample"}));
    EXPECT_TRUE(SplitTitle("W1 W2 W3 W4", names));
    EXPECT_EQ(parts(names), QStringList({"Mr.", "W1", "W2", "W3"}));
    EXPECT_TRUE(SplitTitle("Sample, Kim", names));
    EXPECT_EQ(parts(names), QStringList({"Mr.", "Sample", "W2", "Kim"}));
    EXPECT_FALSE(SplitTitle("  Cher  ", names));
    EXPECT_FALSE(SplitTitle("", names));
    EXPECT_EQ(parts(names), QStringList({"Mr.", "Sample", "W2", "Kim"}));

    EXPECT_EQ(SplitNameWords("\"Mary Ann\" O'Neil"), QStringList({"Mary Ann", "O'Neil"}));
    EXPECT_EQ(SplitNameWords("a,,b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitNameWords("  a ,  b,  "), QStringList({"a", "b"}));
    EXPECT_EQ(SplitNameWords("\"say \"\"hi\"\"\"x"), QStringList({"say \"hi\"", "x"}));
    EXPECT_EQ(SplitNameWords("\"open quote"), QStringList({"open quote"}));
    EXPECT_EQ(SplitNameWords("tab\tseparated\nwords"), QStringList({"tab", "separated", "words"}));
}

TEST_F(PersonTest, EditingUpdatesTheNamedChildOrCreatesAnother)
{
    TPersonObject *p = person("{Pers}~~Kim~~~~Sample~~Home~~Home~~~~~~~~0");
    child(p, ItemKind::Phone, "Home", "555-0100");
    child(p, ItemKind::Address, "Home", "1 Old Road");
    TPrimaryPages pages;
    pages.PhoneTitle = pages.AddrTitle = "Home";
    pages.PhoneNum = pages.PhoneBare = "555-0123";
    pages.Extension = "42";
    pages.AddrLines = {"2 New Road"};
    pages.WebTitle = "Blog";
    pages.Web = "blog.example.org"; // no scheme: refused silently
    ASSERT_TRUE(p->ApplyDialog("Kim Sample", p->Names(), "", pages, false));
    ASSERT_EQ(p->ChildCount(), 2);
    auto *home = dynamic_cast<TPhoneObject *>(p->ChildAt(0));
    EXPECT_EQ(QStringList({home->Value(), home->Extension()}), QStringList({"555-0123", "42"}));
    auto *address = dynamic_cast<TAddressObject *>(p->ChildAt(1));
    EXPECT_EQ(address->Lines(), QStringList({"2 New Road", "", ""}));
    EXPECT_EQ(address->Value(), "2 New Road");
    EXPECT_TRUE(p->PrimaryWebsite().isEmpty());

    pages = TPrimaryPages{};
    pages.WebTitle = "Blog";
    pages.Web = "http://blog.example.org";
    pages.EMailTitle = "Mail"; // no address: nothing
    ASSERT_TRUE(p->ApplyDialog("Kim Sample", p->Names(), "", pages, false));
    EXPECT_EQ(p->PrimaryAddress(), "Home");
    EXPECT_TRUE(p->PrimaryEMail().isEmpty());
    ASSERT_NE(p->PrimaryChild(ItemKind::Website), nullptr);
    EXPECT_EQ(p->PrimaryChild(ItemKind::Website)->Value(), "http://blog.example.org");

    // An existing address child is updated even with an empty memo.
    pages = TPrimaryPages{};
    pages.AddrTitle = "Home";
    ASSERT_TRUE(p->ApplyDialog("Kim Sample", p->Names(), "", pages, false));
    EXPECT_EQ(address->Lines(), QStringList({"", "", ""}));
    EXPECT_TRUE(address->Value().isEmpty());
}

TEST_F(PersonTest, PersonInsideARemoteFolderCannotBeChanged)
{
    TZEBObject *remote = add(ItemKind::Folder, "Shared", root, {}, "{Fold}0");
    remote->SetValue("/nowhere/shared.mbd");
    context().RemoteLoadingFlag() = true;
    auto *p = dynamic_cast<TPersonObject *>(
        add(ItemKind::Person, "Kim", remote->Node(), {}, "{Pers}~~Kim~~~~~~~~~~~~~~~~0"));
    context().RemoteLoadingFlag() = false;
    ASSERT_TRUE(p->InRemote());
    TPrimaryPages pages;
    pages.PhoneTitle = "Home";
    pages.PhoneNum = pages.PhoneBare = "555";
    EXPECT_FALSE(p->ApplyDialog("Other", TPersonNames{}, "x", pages, false));
    EXPECT_EQ(p->Title(), "Kim");
    EXPECT_EQ(p->ChildCount(), 0);
}

TEST_F(PersonTest, FieldsReadFromAFileWhenFirstUsedAreTheFieldsOfTheLine)
{
    // Categories are read at load; names and primary titles when first asked for,
    // in the file's encoding; a line set later replaces one not read yet.
    const QByteArray line = "{Pers}Dr.~~J\xE9r\xF4me~~~~M\xFCller~~Home~~~~~~~~~~ 5 ";
    const QByteArray ansi = "{Params}\r\n{1 3 }J~~~~~~7\r\n" + line + "\r\n{1 3 }K~~~~~~8\r\n" + line + "\r\n";
    for (const QByteArray &file : {ansi, QString::fromLatin1(ansi).toUtf8()}) {
        SCOPED_TRACE(file == ansi ? "Windows-1252" : "UTF-8");
        Loaded db(file, &context());
        ASSERT_EQ(db.root->Count(), 2);
        auto *j = dynamic_cast<TPersonObject *>(db.top(0)->Item());
        auto *k = dynamic_cast<TPersonObject *>(db.top(1)->Item());
        EXPECT_EQ(j->Categories(), 5);
        EXPECT_EQ(QStringList({j->FirstName(), j->LastName(), j->PrimaryAddress()}),
                  QStringList({QString::fromUtf8("Jérôme"), QString::fromUtf8("Müller"), "Home"}));
        k->LoadFields("{Pers}~~Kay~~~~~~~~Cell~~~~~~~~2");
        EXPECT_EQ(QStringList({k->FirstName(), k->LastName(), k->PrimaryPhone(), QString::number(k->Categories())}),
                  QStringList({"Kay", "", "Cell", "2"}));
    }
}
