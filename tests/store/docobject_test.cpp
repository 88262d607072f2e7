#include "store/docobject.h"
#include "support/storefixture.h"

namespace {

class DocObjectTest : public StoreFixture
{
protected:
    TDocObject *doc(const QString &title, const QString &path, const QString &dataLine = "{Docs}0", qint32 id = 77)
    {
        return dynamic_cast<TDocObject *>(add(Kinds::Document, title, nullptr, path, dataLine, id));
    }
};

} // namespace

TEST_F(DocObjectTest, EachDocumentWithAPathGetsItsOwnIcon)
{
    TDocObject *a = doc("report.doc", "/home/kim/report.doc");
    TDocObject *b = doc("other.doc", "/home/kim/other.doc");
    TDocObject *none = doc("New Document", "");
    ASSERT_TRUE(a && b && none);
    EXPECT_EQ(a->GetImageIndex(), 16);
    EXPECT_EQ(b->GetImageIndex(), 17);
    EXPECT_EQ(none->GetImageIndex(), 13);
    EXPECT_EQ(services.calls, QStringList({"icon /home/kim/report.doc|13", "icon /home/kim/other.doc|13"}));
}

TEST_F(DocObjectTest, RecordAndDataLine)
{
    TDocObject *d = doc("report.doc", "/home/kim/report.doc", "{Docs}5", 77);
    EXPECT_EQ(d->Categories(), 5);
    EXPECT_EQ(d->GetRecordText(2), "{2 10 }report.doc~~/home/kim/report.doc~~~~77\r\n{Docs}5");
    // Missing or unreadable categories give 0; a foreign tag is ignored.
    EXPECT_EQ(doc("a", "", "{Docs}")->Categories(), 0);
    EXPECT_EQ(doc("b", "", "{Docs}x~~9")->Categories(), 0);
    EXPECT_EQ(doc("c", "", "{Docs}3~~9")->Categories(), 3);
    EXPECT_EQ(doc("d", "", "{Tool}4")->Categories(), 0);
}

TEST_F(DocObjectTest, PopupOpenAndLaunch)
{
    TDocObject *d = doc("report.doc", "/home/kim/report.doc");
    PopupVisibility expected;
    expected.Open = false;
    expected.Launch = true;
    EXPECT_EQ(d->PreparePopup(), expected);
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
        auto &document = dynamic_cast<TDocObject &>(item);
        return isNew && document.ApplyDialog("report.doc", "/home/kim/report.doc", "draft");
    };
    EXPECT_TRUE(d->EditNew(root));
    EXPECT_EQ(d->Title(), "report.doc");
    EXPECT_EQ(d->Value(), "/home/kim/report.doc");
    EXPECT_EQ(d->Comment(), "draft");
    EXPECT_EQ(d->GetImageIndex(), 16);

    EXPECT_FALSE(d->ApplyDialog("", "/x", "c"));
    EXPECT_FALSE(d->ApplyDialog("t", "", "c"));
    EXPECT_EQ(d->Title(), "report.doc");
    EXPECT_EQ(d->Comment(), "draft");

    // A new path replaces the document's icon in place.
    EXPECT_TRUE(d->ApplyDialog("notes.txt", "/home/kim/notes.txt", ""));
    EXPECT_EQ(d->GetImageIndex(), 16);
    EXPECT_EQ(services.calls.last(), "icon /home/kim/notes.txt|16");

    services.onEdit = nullptr;
    services.editAnswer = false;
    EXPECT_FALSE(d->EditNew(root));
    d->Edit();
    EXPECT_TRUE(services.calls.contains("edit notes.txt|existing"));
}
