#include "store/toolitems.h"
#include "store/toolobject.h"
#include "support/storefixture.h"

namespace {

class ToolObjectTest : public StoreFixture
{
protected:
    TToolObject *tool(const QString &value, const QString &dataLine, qint32 id = 88)
    {
        return dynamic_cast<TToolObject *>(add(ItemKind::Tool, "Lookup", nullptr, value, dataLine, id));
    }
};

} // namespace

TEST_F(ToolObjectTest, IconComesFromTheConfiguredTool)
{
    TToolItem *configured = context().Tools().Add(std::make_unique<TToolItem>("Notes", "/opt/tools/notes", "-r", "1"));
    ASSERT_NE(configured->ImageIndex(), 13);
    EXPECT_EQ(tool("", "{Tool}/opt/tools/notes~~-r~~0")->GetImageIndex(), configured->ImageIndex());
    EXPECT_EQ(tool("", "{Tool}/opt/tools/gone~~~~0")->GetImageIndex(), 13);
}

TEST_F(ToolObjectTest, LaunchParametersAndWorkingDirectory)
{
    TToolObject *withArgs = tool("smith", "{Tool}/opt/tools/notes~~-r~~0");
    TToolObject *bare = tool("", "{Tool}/opt/tools/bare~~~~0");
    TToolObject *addressOnly = tool("x", "{Tool}/opt/tools/bare~~~~0");
    services.calls.clear();
    withArgs->Launch();
    bare->Launch();
    addressOnly->Open();
    EXPECT_EQ(services.calls, QStringList({"start /opt/tools/notes|-r smith|/opt/tools/", "start /opt/tools/bare||/opt/tools/",
                                           "start /opt/tools/bare| x|/opt/tools/"}));
}

TEST_F(ToolObjectTest, DialogNeedsATitle)
{
    TToolObject *t = tool("", TToolObject::NewDataLine("/opt/tools/notes", "-r"));
    ASSERT_TRUE(t->ApplyDialog("New Notes", "smith", "c"));
    EXPECT_EQ(t->Value(), "smith");
    EXPECT_FALSE(t->ApplyDialog("", "other", ""));
    EXPECT_EQ(t->Value(), "smith");
}
