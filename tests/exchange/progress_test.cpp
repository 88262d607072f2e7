// The progress form's state: percentages as the form shows them, one run at a time, a
// form that appears only for work that lasts, and stopping only where it is offered.
#include "exchange/progress.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct ProgressFixture : ::testing::Test
{
    ProgressFixture()
    {
        state.SetClock([this] { return now; });
    }
    qint64 now = 1000;
    ProgressState state;
};

} // namespace

TEST_F(ProgressFixture, PercentIsWholeDivisionAndAMaximumOfZeroIsDone)
{
    ProgressRun run(state, "Searching...", 3);
    ASSERT_TRUE(run);
    EXPECT_EQ(state.Action(), "Searching...");
    EXPECT_EQ(state.PercentText(), "0%");
    run.Step();
    EXPECT_EQ(state.Percent(), 33); // 100 / 3, cut
    run.Step();
    EXPECT_EQ(state.PercentText(), "66%");
    run.Step();
    EXPECT_EQ(state.Percent(), 100);
    run.Step(); // past the end stays full
    EXPECT_EQ(state.Percent(), 100);
    state.SetMax(0);
    EXPECT_EQ(state.PercentText(), "100%");
    state.SetPosition(-5);
    state.SetMax(10);
    EXPECT_EQ(state.Percent(), 0);
}

TEST_F(ProgressFixture, RepaintsOnlyWhenWhatIsShownChanges)
{
    ProgressRun run(state, "Searching...", 100000);
    QSignalSpy changed(&state, &ProgressState::changed);
    for (int i = 0; i < 100000; ++i)
        run.Step();
    EXPECT_EQ(changed.count(), 100); // once per percent, not per item
    state.SetResult("3 found");
    state.SetResult("3 found");
    EXPECT_EQ(changed.count(), 101);
    EXPECT_EQ(state.Result(), "3 found");
}

TEST_F(ProgressFixture, OneRunAtATime)
{
    {
        ProgressRun first(state, "Searching...", 10);
        ASSERT_TRUE(first);
        EXPECT_TRUE(state.Running());
        first.Step();
        ProgressRun second(state, "Printing...", 50);
        EXPECT_FALSE(second);
        EXPECT_FALSE(second.Step()); // and it moves nothing of the first
        EXPECT_EQ(state.Action(), "Searching...");
        EXPECT_EQ(state.Max(), 10);
        EXPECT_EQ(state.Position(), 1);
    }
    EXPECT_FALSE(state.Running());
    ProgressRun third(state, "Printing...", 50);
    EXPECT_TRUE(third);
    EXPECT_EQ(state.Position(), 0);
    EXPECT_TRUE(state.Result().isEmpty());
}

TEST_F(ProgressFixture, TheFormAppearsOnlyForWorkThatLastsAndGoesAtItsEnd)
{
    QSignalSpy shown(&state, &ProgressState::shownChanged);
    {
        ProgressRun quick(state, "Searching...", 1000);
        for (int i = 0; i < 1000; ++i) {
            now += i % 4 == 0 ? 1 : 0; // the whole run in 250 ms
            quick.Step();
        }
        EXPECT_FALSE(state.Shown());
    }
    EXPECT_EQ(shown.count(), 0);
    {
        ProgressRun slow(state, "Searching...", 100);
        slow.Step();
        EXPECT_FALSE(state.Shown());
        now += ProgressState::DefaultShowDelay;
        slow.Step();
        EXPECT_TRUE(state.Shown());
        ASSERT_EQ(shown.count(), 1);
        EXPECT_TRUE(shown.at(0).at(0).toBool());
    }
    EXPECT_FALSE(state.Shown());
    ASSERT_EQ(shown.count(), 2);
    EXPECT_FALSE(shown.at(1).at(0).toBool());
    state.SetShowDelay(0);
    ProgressRun atOnce(state, "Printing...", 5);
    EXPECT_TRUE(state.Shown());
}

TEST_F(ProgressFixture, OnlyWorkThatOffersItCanBeStopped)
{
    {
        ProgressRun search(state, "Searching...", 10);
        state.Cancel();
        EXPECT_FALSE(state.CancelRequested());
        EXPECT_TRUE(search.Step());
    }
    {
        ProgressRun print(state, "Printing...", 10, true);
        EXPECT_TRUE(state.Cancellable());
        EXPECT_TRUE(print.Step());
        state.Cancel();
        EXPECT_FALSE(print.Step());
    }
    EXPECT_FALSE(state.Cancellable());
    state.Cancel(); // nothing runs: nothing to stop, and the next run starts afresh
    ProgressRun next(state, "Printing...", 10, true);
    EXPECT_TRUE(next.Step());
}
