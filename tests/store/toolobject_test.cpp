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

TEST_F(ToolObjectTest, AConfiguredToolStartsWithItsArgumentsAndTheAddressAsOneArgument)
{
    context().Tools().Add(std::make_unique<TToolItem>("Notes", "/opt/tools/notes", "-r", "1"));
    context().Tools().Add(std::make_unique<TToolItem>("Bare", "/opt/tools/bare", "", "0"));
    TToolObject *withArgs = tool("John Smith; rm -rf ~", "{Tool}/opt/tools/notes~~-r~~0");
    TToolObject *bare = tool("", "{Tool}/opt/tools/bare~~~~0");
    TToolObject *addressOnly = tool("$(id) `id` 'x'", "{Tool}/opt/tools/bare~~~~0");
    services.calls.clear();
    withArgs->Launch();
    bare->Launch();
    addressOnly->Open();
    EXPECT_EQ(services.calls, QStringList({"start /opt/tools/notes|<-r><John Smith; rm -rf ~>|/opt/tools/",
                                           "start /opt/tools/bare||/opt/tools/",
                                           "start /opt/tools/bare|<$(id) `id` 'x'>|/opt/tools/"}));
}

TEST_F(ToolObjectTest, AProgramNoToolStartsSoStartsOnlyWhenTheUserAgrees)
{
    context().Tools().Add(std::make_unique<TToolItem>("Notes", "/opt/tools/notes", "-r", "1"));
    // An imported record: a program nobody set up, or a set-up one with other arguments.
    TToolObject *stranger = tool("x", "{Tool}/tmp/evil~~-c 'rm -rf ~'~~0");
    TToolObject *otherArgs = tool("smith", "{Tool}/opt/tools/notes~~--exec /tmp/evil~~0");
    services.calls.clear();
    stranger->Launch();
    otherArgs->Launch();
    EXPECT_EQ(services.calls, QStringList({"confirm /tmp/evil|<-c><rm -rf ~><x>",
                                           "confirm /opt/tools/notes|<--exec></tmp/evil><smith>"}));

    services.confirmStartAnswer = true;
    services.calls.clear();
    stranger->Launch();
    EXPECT_EQ(services.calls, QStringList({"confirm /tmp/evil|<-c><rm -rf ~><x>", "start /tmp/evil|<-c><rm -rf ~><x>|/tmp/"}));

    // A record without a program starts nothing and asks nothing.
    services.calls.clear();
    tool("x", "{Tool}~~~~0")->Launch();
    EXPECT_TRUE(services.calls.isEmpty());
}

TEST_F(ToolObjectTest, DialogNeedsATitle)
{
    TToolObject *t = tool("", TToolObject::NewDataLine("/opt/tools/notes", "-r"));
    ASSERT_TRUE(t->ApplyDialog("New Notes", "smith", "c"));
    EXPECT_EQ(t->Value(), "smith");
    EXPECT_FALSE(t->ApplyDialog("", "other", ""));
    EXPECT_EQ(t->Value(), "smith");
}
