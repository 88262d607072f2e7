// The progress window: it follows its state, appears only when the work says so, and
// offers Cancel only to work that can stop.
#include "exchange/gui/progressform.h"
#include "exchange/progress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(ProgressForm, ShowsTheRunAndGoesAtItsEnd)
{
    ProgressState state;
    state.SetShowDelay(0);
    TProgressForm form(state);
    EXPECT_EQ(form.windowTitle(), "Progress");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.isVisible());
    {
        ProgressRun run(state, "Searching...", 4);
        ASSERT_TRUE(run);
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isModal()); // the other windows take no input meanwhile
        EXPECT_GE(form.width(), 295);
        EXPECT_GE(form.height(), 81);
        EXPECT_EQ(form.actionLabel()->text(), "Searching...");
        EXPECT_EQ(form.percentLabel()->text(), "0%");
        run.Step();
        EXPECT_EQ(form.percentLabel()->text(), "25%");
        EXPECT_EQ(form.bar()->value(), 25);
        state.SetResult("Found");
        EXPECT_EQ(form.resultLabel()->text(), "Found");
        EXPECT_FALSE(form.cancelButton()->isVisible());
        form.close(); // the window goes with its work, not before
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_FALSE(form.isVisible());
}

TEST(ProgressForm, CancelStopsWorkThatOffersIt)
{
    ProgressState state;
    state.SetShowDelay(0);
    TProgressForm form(state);
    ProgressRun run(state, "Printing...", 100, true);
    ASSERT_TRUE(form.isVisible());
    ASSERT_TRUE(form.cancelButton()->isVisible());
    EXPECT_TRUE(run.Step());
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(run.Step());

    ProgressState other;
    other.SetShowDelay(0);
    TProgressForm escaped(other);
    ProgressRun publishing(other, "Publishing...", 100, true);
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(publishing.Step());
}
