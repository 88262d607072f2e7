// The caller-ID history: its size rule and "callid.dat".
#include "comms/callerhistory.h"
#include "store/zebobject.h"
#include "support/filebytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(14, 32, 5));

QStringList names(const TCallerHistory &h)
{
    QStringList out;
    for (int i = 0; i < h.Count(); ++i)
        out.append(h.Item(i)->Title());
    return out;
}

} // namespace

TEST(CallerHistory, NewestFirstAndOneRowGoesPerCall)
{
    TCallerHistory h;
    EXPECT_EQ(h.Size(), 50);
    h.SetSize(0);
    h.Add("A", "1", kWhen);
    EXPECT_EQ(h.Count(), 0); // added and at once removed again

    h.SetSize(2);
    h.Add("A", "1", kWhen);
    h.Add("B", "2", kWhen);
    h.Add("C", "3", kWhen);
    EXPECT_EQ(names(h), (QStringList{"C", "B"}));
    EXPECT_EQ(h.Item(0)->Kind(), ItemKind::Phone);
    EXPECT_EQ(h.Item(0)->Value(), "3");
    EXPECT_EQ(h.Item(0)->Comment(), TCallerHistory::WhenText(kWhen));

    h.SetSize(5);
    h.Add("D", "4", kWhen);
    h.Add("E", "5", kWhen);
    h.SetSize(1); // lowering it takes one row per later call, not all at once
    EXPECT_EQ(h.Count(), 4);
    h.Add("F", "6", kWhen);
    EXPECT_EQ(names(h), (QStringList{"F", "E", "D", "C"}));

    h.SetSize(900);
    EXPECT_EQ(h.Size(), 500);
    h.SetSize(-3);
    EXPECT_EQ(h.Size(), 0);
}

TEST(CallerHistory, SavedAndReadBackWithAwkwardNames)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("callid.dat");
    TCallerHistory h;
    h.Add("Plain", "212-555-1234", kWhen);
    h.Add("Two~~Parts", "*Private", kWhen);
    h.Add("Line\r\nBreak", "555", kWhen);
    ASSERT_TRUE(h.Save(file));
    const QByteArray bytes = ReadBytes(file);
    EXPECT_TRUE(bytes.startsWith("{1 6 }")) << bytes.constData();
    EXPECT_EQ(bytes.count("{1 6 }"), 3);

    TCallerHistory read;
    EXPECT_EQ(read.Load(file), 3);
    EXPECT_EQ(names(read), names(h));
    EXPECT_EQ(read.Item(1)->Value(), "*Private");
    EXPECT_EQ(read.Item(2)->Comment(), TCallerHistory::WhenText(kWhen));
}

TEST(CallerHistory, DamagedAndForeignRecordsArePassedOver)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("callid.dat");
    TCallerHistory h;
    h.Add("Good One", "1", kWhen);
    ASSERT_TRUE(h.Save(file));
    const QByteArray good = ReadBytes(file);
    h.Remove({0});
    h.Add("Good Two", "2", kWhen);
    ASSERT_TRUE(h.Save(file));
    const QByteArray second = ReadBytes(file);
    WriteBytes(file, good + "{x y }garbage without numbers\r\n"
                    "{1 6 }only~~three~~parts\r\n"
                    "{1 7 }Mail~~a@b.c~~~~5\r\n{EMail}\r\n"
                    + second + "not a record at all\r\n");
    TCallerHistory read;
    EXPECT_EQ(read.Load(file), 2);
    EXPECT_EQ(names(read), (QStringList{"Good One", "Good Two"}));
}

TEST(CallerHistory, AFailedSaveSaysWhy)
{
    QTemporaryDir dir;
    QString why;
    TCallerHistory h;
    h.Add("A", "1", kWhen);
    EXPECT_FALSE(h.Save(dir.filePath("none/callid.dat"), &why));
    EXPECT_FALSE(why.isEmpty());
}
