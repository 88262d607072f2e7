#include "store/docobject.h"
#include "support/storefixture.h"

namespace {

class DocObjectTest : public StoreFixture
{
protected:
    TDocObject *doc(const QString &title, const QString &path, const QString &dataLine = "{Docs}0", qint32 id = 77)
    {
        return dynamic_cast<TDocObject *>(add(ItemKind::Document, title, nullptr, path, dataLine, id));
    }
};

} // namespace

TEST_F(DocObjectTest, DocumentsOfOneTypeShareTheirPicture)
{
    TDocObject *a = doc("report.doc", "/home/kim/report.doc");
    TDocObject *b = doc("other.doc", "/home/kim/other.doc");
    TDocObject *c = doc("notes.txt", "/home/kim/notes.txt");
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->GetImageIndex(), 16);
    EXPECT_EQ(b->GetImageIndex(), 16);
    EXPECT_EQ(c->GetImageIndex(), 17);
    EXPECT_EQ(doc("New Document", "")->GetImageIndex(), 13);
}

TEST_F(DocObjectTest, OpenAndLaunchOpenTheFile)
{
    TDocObject *d = doc("report.doc", "/home/kim/report.doc");
    services.calls.clear();
    d->Open();
    d->Launch();
    doc("empty", "")->Launch(); // nothing to open
    EXPECT_EQ(services.calls, QStringList({"open /home/kim/report.doc", "open /home/kim/report.doc"}));
}

TEST_F(DocObjectTest, DialogNeedsTitleAndFileName)
{
    TDocObject *d = doc("New Document", "");
    services.onEdit = [](TZEBObject &item, bool isNew) {
        return isNew && dynamic_cast<TDocObject &>(item).ApplyDialog("report.doc", "/home/kim/report.doc", "draft");
    };
    EXPECT_TRUE(d->EditNew(root));
    EXPECT_EQ(d->Value(), "/home/kim/report.doc");
    EXPECT_EQ(d->GetImageIndex(), 16);

    EXPECT_FALSE(d->ApplyDialog("", "/x", "c"));
    EXPECT_FALSE(d->ApplyDialog("t", "", "c"));
    EXPECT_EQ(d->Title(), "report.doc");

    // A path of another type shows that type's picture, already when the panes hear of
    // the new path.
    QList<int> announced;
    QObject::connect(&nodes, &TTreeNodes::itemChanged, [&](TZEBObject *item) { announced << item->GetImageIndex(); });
    EXPECT_TRUE(d->ApplyDialog("notes.txt", "/home/kim/notes.txt", ""));
    EXPECT_EQ(d->GetImageIndex(), 17);
    ASSERT_FALSE(announced.isEmpty());
    EXPECT_EQ(announced.first(), 17);
    EXPECT_EQ(services.calls.last(), "icon /home/kim/notes.txt");
}
