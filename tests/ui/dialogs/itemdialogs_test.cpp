#include "ui/dialogs/itemdialogs.h"

#include "dialogtesting.h"
#include "ui/dialogs/helphook.h"

class ItemDialogsTest : public StoreFixture
{
protected:
    // Runs the item's dialog, letting answer fill it; true when the item took the values.
    bool run(TZEBObject &item, bool isNew, std::function<void(QDialog *)> answer)
    {
        bool shown = false;
        whenModalShows([&](QDialog *d) {
            shown = true;
            caption = d->windowTitle();
            answer(d);
        });
        const bool result = RunItemDialog(item, isNew, nullptr, names);
        EXPECT_TRUE(shown);
        return result;
    }
    static void ok(QDialog *d) { control<QPushButton>(d, "OKBtn")->click(); }

    QStringList names{"Family", "Work", "Golf"};
    QString caption;
};

TEST_F(ItemDialogsTest, EachKindGetsItsDialog)
{
    const struct
    {
        ItemKind kind;
        const char *caption;
    } kinds[] = {{ItemKind::Folder, "Folder"},     {ItemKind::Organization, "Organization"}, {ItemKind::Team, "Team"},
                 {ItemKind::Person, "Person"},     {ItemKind::Website, "Website"},           {ItemKind::Address, "Address"},
                 {ItemKind::Phone, "Phone"},       {ItemKind::EMail, "E-Mail"},              {ItemKind::Fax, "Fax"},
                 {ItemKind::Document, "Document"}, {ItemKind::Tool, "Custom Tool"}};
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.caption);
        TZEBObject *item = add(k.kind, "Item", root);
        QString focused;
        EXPECT_FALSE(run(*item, false, [&](QDialog *d) {
            // Typing starts in a field: a blank typed on a focused button would press it.
            QWidget *w = d->focusWidget();
            focused = !w ? QStringLiteral("nothing") : qobject_cast<QAbstractButton *>(w) ? QStringLiteral("a button") : QString();
            // ... the top field of the form, whatever order the code made them in.
            for (QLineEdit *edit : d->findChildren<QLineEdit *>())
                if (w && edit->isVisible() && edit->mapTo(d, QPoint()).y() < w->mapTo(d, QPoint()).y())
                    focused = QStringLiteral("below ") + edit->objectName();
            d->reject();
        }));
        EXPECT_EQ(caption, k.caption);
        EXPECT_EQ(focused, QString());
    }
}

TEST_F(ItemDialogsTest, OkAppliesCancelDoesNot)
{
    TZEBObject *phone = add(ItemKind::Phone, "New Phone", root);
    EXPECT_FALSE(run(*phone, true, [](QDialog *d) {
        edit(d, "PhoneNum")->setText("555-0100");
        d->reject();
    }));
    EXPECT_TRUE(phone->Value().isEmpty());

    EXPECT_TRUE(run(*phone, true, [](QDialog *d) {
        edit(d, "PhoneNum")->setText("555-0100");
        ok(d);
    }));
    EXPECT_EQ(phone->Value(), "555-0100");

    // OK without the required values: the caller discards the new item.
    TZEBObject *other = add(ItemKind::Phone, "New Phone", root);
    EXPECT_FALSE(run(*other, true, ok));
}

TEST_F(ItemDialogsTest, KindsWithoutADialogHereAreLeftAlone)
{
    EXPECT_FALSE(RunItemDialog(*root->Item(), false, nullptr, names));
}

TEST_F(ItemDialogsTest, CategoriesTickedAreStoredByOkAndForgottenByCancel)
{
    TZEBObject *mail = add(ItemKind::EMail, "Home", root, "kim@example.org");
    mail->SetCategories(CategoryBit(2));
    // Ticks Golf in the pop-up, which has no cancel: closing it keeps the ticks.
    const auto tickGolf = [](QDialog *d) {
        whenModalShows(
            [](QDialog *popup) {
                auto *list = control<QListWidget>(popup, "CategoryList");
                EXPECT_EQ(list->count(), 3);
                EXPECT_EQ(list->item(2)->text(), "Golf");
                EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
                list->item(2)->setCheckState(Qt::Checked);
                popup->reject();
            },
            d);
        control<QToolButton>(d, "CatSelect")->click();
    };
    EXPECT_FALSE(run(*mail, false, [&](QDialog *d) {
        tickGolf(d);
        d->reject();
    }));
    EXPECT_EQ(mail->Categories(), CategoryBit(2));

    // A second opening of the pop-up starts from the ticks of the first.
    EXPECT_TRUE(run(*mail, false, [&](QDialog *d) {
        tickGolf(d);
        whenModalShows(
            [](QDialog *popup) {
                EXPECT_EQ(control<QListWidget>(popup, "CategoryList")->item(2)->checkState(), Qt::Checked);
                popup->reject();
            },
            d);
        control<QToolButton>(d, "CatSelect")->click();
        ok(d);
    }));
    EXPECT_EQ(mail->Categories(), CategoryBit(2) | CategoryBit(3));
}

TEST_F(ItemDialogsTest, HelpButtonAsksForTheItemDialogTopic)
{
    TZEBObject *team = add(ItemKind::Team, "Sales", root);
    services.calls.clear();
    run(*team, false, [](QDialog *d) {
        control<QPushButton>(d, "HelpBtn")->click();
        EXPECT_TRUE(d->isVisible()); // help leaves the dialog open
        d->reject();
    });
    EXPECT_EQ(services.calls, QStringList({"help 1039"}));
}

TEST_F(ItemDialogsTest, ReadOnlyItemsCannotBeChanged)
{
    TZEBObject *remote = add(ItemKind::Folder, "Shared", root, {}, "{Fold}0");
    remote->SetValue("/nowhere/shared.mbd");
    context().RemoteLoadingFlag() = true;
    TZEBObject *inner = add(ItemKind::Folder, "Inner", remote->Node(), {}, "{Fold}0");
    TZEBObject *person = add(ItemKind::Person, "Kim", remote->Node());
    TZEBObject *phone = add(ItemKind::Phone, "Home", person->Node(), "555-0100", "{Phon}~~0");
    TZEBObject *doc = add(ItemKind::Document, "notes.txt", person->Node(), "/home/kim/notes.txt", "{Docs}0");
    TZEBObject *tool = add(ItemKind::Tool, "Lookup", person->Node(), "kim", "{Tool}/usr/bin/lookup~~~~0");
    context().RemoteLoadingFlag() = false;
    for (TZEBObject *item : {inner, person, phone, doc, tool}) {
        EXPECT_FALSE(run(*item, false, [](QDialog *d) {
            auto *okButton = control<QPushButton>(d, "OKBtn");
            EXPECT_FALSE(okButton->isEnabled());
            EXPECT_FALSE(control<QToolButton>(d, "CatSelect")->isEnabled());
            okButton->click(); // a disabled button does nothing
            if (d->isVisible())
                d->reject();
        }));
    }
    EXPECT_EQ(phone->Value(), "555-0100");
    // The remote folder itself stays editable: its location is what makes it remote.
    run(*remote, false, [](QDialog *d) {
        EXPECT_TRUE(control<QPushButton>(d, "OKBtn")->isEnabled());
        d->reject();
    });
}
