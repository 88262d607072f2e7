// Records on their way through the clipboard: what a copy writes, what a paste reads.
#include "recordfiletestutil.h"
#include "support/storefixture.h"

#include "store/cliprecords.h"
#include "store/kinds.h"

#include <QScopedValueRollback>

class ClipRecordsTest : public StoreFixture
{
protected:
    TTreeNode *folder(const QString &title, TTreeNode *owner, qint32 categories = 0)
    {
        TZEBObject *f = add(ItemKind::Folder, title, owner);
        f->SetCategories(categories);
        return f->Node();
    }
};

TEST_F(ClipRecordsTest, WhatLiesBelowAHiddenContainerMovesUpIntoItsPlace)
{
    // Hidden: category 4. Below the hidden B lie C and its phone, and a hidden E with F
    // below it; D is B's sibling.
    TTreeNode *a = folder("A", root);
    TTreeNode *b = folder("B", a, 4);
    TTreeNode *c = folder("C", b);
    add(ItemKind::Phone, "Under C", c->Item()->Node(), "555");
    TTreeNode *e = folder("E", c, 4);
    folder("F", e);
    folder("D", a);
    services.filter = [](qint32 categories) { return categories == 4; };

    const QByteArray copied = ClipRecords::CopyShownSubtree(a);
    EXPECT_EQ(copied, ReadBytes(RecordFile::ClipboardFileName)); // the file stays
    EXPECT_FALSE(copied.contains("}B~~"));
    EXPECT_FALSE(copied.contains("}E~~"));

    // Pasted, C (with its phone) takes B's place and F takes E's; D stays A's child and
    // nothing lands under the wrong sibling.
    TTreeNode *target = folder("Target", root);
    EXPECT_EQ(ClipRecords::Paste(copied, target), 5);
    EXPECT_EQ(Outline(target), QStringList({"A", "A/C", "A/C|Under C", "A/C/F", "A/D"}));

    // A hidden top node: its shown contents are still copied, one level up.
    services.filter = [](qint32 categories) { return categories == 4 || categories == 9; };
    a->Item()->SetCategories(9);
    TTreeNode *again = folder("Again", root);
    ClipRecords::Paste(ClipRecords::CopyShownSubtree(a), again);
    EXPECT_EQ(Outline(again), QStringList({"C", "C|Under C", "C/F", "D"}));
}

TEST_F(ClipRecordsTest, CopiedItemsGoWholeWithTheirCategoriesAndHiddenDescendants)
{
    TTreeNode *org = add(ItemKind::Organization, "Acme", root)->Node();
    org->Item()->SetCategories(6);
    TTreeNode *hidden = folder("Hidden", org, 4);
    add(ItemKind::Phone, "Desk", hidden->Item()->Node(), "556");
    TZEBObject *lone = add(ItemKind::Phone, "Lone", root, "557");
    services.filter = [](qint32 categories) { return categories == 4; };

    const QByteArray copied = ClipRecords::CopyItems({org->Item(), lone});
    TTreeNode *target = folder("Target", root);
    ClipRecords::Paste(copied, target);
    EXPECT_EQ(Outline(target), QStringList({"|Lone", "Acme", "Acme/Hidden", "Acme/Hidden|Desk"}));
    const TTreeNode *pasted = target->Child(0);
    EXPECT_EQ(pasted->Item()->Categories(), 6);
    EXPECT_EQ(pasted->Child(0)->Item()->Categories(), 4);
    // A second paste nests a second copy.
    ClipRecords::Paste(copied, target);
    EXPECT_EQ(target->Count(), 2);
}

TEST_F(ClipRecordsTest, AFolderPastedIntoItselfNestsOneCopyAtATime)
{
    TTreeNode *f = folder("F", root);
    folder("G", f);
    const QByteArray copied = ClipRecords::CopyShownSubtree(f);
    ClipRecords::Paste(copied, f);
    EXPECT_EQ(Outline(f), QStringList({"F", "F/G", "G"}));
    ClipRecords::Paste(copied, f);
    EXPECT_EQ(Outline(f), QStringList({"F", "F/G", "F", "F/G", "G"}));
}

TEST_F(ClipRecordsTest, DamagedOrHostileBytesChangeNothing)
{
    TTreeNode *target = folder("Target", root);
    add(ItemKind::Phone, "Kept", target->Item()->Node(), "555");
    WriteBytes(RecordFile::ClipboardFileName, "earlier");
    const QStringList before = Outline(root);
    const QByteArray good = CrLf({"{1 0 }New~~~~~~7", "{Fold}0"});
    const QByteArray cases[] = {
        good + "{1 x }Bad~~~~~~8\r\n",                 // a level or kind that is no number
        good + "{1 0 }Three~~fields\r\n{Fold}0\r\n",     // a header without four fields
        good + "{1 0 }CutOff~~~~~~9",                  // ends before the data line
        "\x89PNG\r\n\x1a\n\0\0\0\rIHDR",                // something else entirely
        QByteArray("no records at all\r\n"),
    };
    for (const QByteArray &bytes : cases) {
        EXPECT_THROW(ClipRecords::Paste(bytes, target), EClipboardData) << bytes.toStdString();
        EXPECT_EQ(Outline(root), before);
    }
    EXPECT_EQ(ReadBytes(RecordFile::ClipboardFileName), QByteArray("earlier"));

    // Too many bytes are refused before they are read.
    EXPECT_THROW(ClipRecords::Paste(good + "          ", target, good.size() + 9), EClipboardData);

    // The block ends at its first NUL; an empty one does nothing.
    EXPECT_EQ(ClipRecords::Paste(good + QByteArray(1, '\0') + "{1 x }junk", target), 1);
    EXPECT_EQ(ClipRecords::Paste(QByteArray("\0{1 0 }X~~~~~~1", 15), target), 0);
    EXPECT_EQ(Outline(target), QStringList({"|Kept", "New"}));
}

TEST_F(ClipRecordsTest, NothingIsPastedIntoARemoteFolder)
{
    TTreeNode *remote = add(ItemKind::Folder, "R", root, "/nowhere/x.mbd")->Node();
    TTreeNode *inside = nullptr;
    {
        QScopedValueRollback loading(context().RemoteLoadingFlag(), true);
        inside = folder("Inside", remote);
    }
    const QByteArray good = CrLf({"{1 3 }Kim~~~~~~7", "{Pers}~~Kim~~~~~~~~~~~~~~0"});
    EXPECT_THROW(ClipRecords::Paste(good, remote), ERemoteParent);
    EXPECT_THROW(ClipRecords::Paste(good, inside), ERemoteParent);
    EXPECT_EQ(Outline(remote), QStringList({"Inside"}));
}
