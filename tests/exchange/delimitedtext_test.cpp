#include "exchange/csvpresets.h"
#include "exchange/delimitedtext.h"
#include "exchange/importtext.h"
#include "store/recordfile.h"

#include <gtest/gtest.h>

namespace {

TEST(DelimitedText, ReadsQuotedFieldsAsSpreadsheetsWriteThem)
{
    // A quoted line break, doubled quotes, an empty field, CR LF and a last line without its end.
    const DelimitedRecords r = ParseDelimited(QStringLiteral("a,\"b, \"\"c\"\"\r\nd\",,e\r\n\r\nf,\"\"\n \"g\" x,h"), u',');
    ASSERT_EQ(r.records.size(), 3);
    EXPECT_EQ(r.records[0], (QStringList{"a", "b, \"c\"\r\nd", "", "e"}));
    EXPECT_EQ(r.records[1], (QStringList{"f", ""}));
    // A quote that does not open the field is kept as text.
    EXPECT_EQ(r.records[2], (QStringList{" \"g\" x", "h"}));
    EXPECT_EQ(r.lines, (QList<int>{1, 4, 5}));
    EXPECT_FALSE(r.unclosedQuote);
}

TEST(DelimitedText, TabTextIsSplitAtTabsOnly)
{
    const DelimitedRecords r = ParseDelimited(QStringLiteral("Smith, John\t12 Main St, Apt 4\t\"x\ty\"\r\n"), u'\t');
    ASSERT_EQ(r.records.size(), 1);
    EXPECT_EQ(r.records[0], (QStringList{"Smith, John", "12 Main St, Apt 4", "x\ty"}));
}

TEST(DelimitedText, AQuoteNeverClosedEndsTheRecordsAndIsTold)
{
    const DelimitedRecords r = ParseDelimited(QStringLiteral("a,b\nc,\"d\ne,f\n"), u',');
    ASSERT_EQ(r.records.size(), 1);
    EXPECT_TRUE(r.unclosedQuote);
    EXPECT_EQ(r.unclosedLine, 2);
    EXPECT_EQ(FirstDelimitedRecord(QStringLiteral("\n\nx,\"y\"\n"), u','), (QStringList{"x", "y"}));
}

TEST(ImportTextDecode, TakesTheEncodingsTextFilesComeIn)
{
    EXPECT_EQ(ImportText::Decode("\xEF\xBB\xBFM\xC3\xBCller", "f"), QStringLiteral("Müller"));
    EXPECT_EQ(ImportText::Decode("M\xFCller \x80", "f"), QStringLiteral("Müller €"));
    const QByteArray le = QByteArray("\xFF\xFE", 2) + QByteArray::fromRawData(reinterpret_cast<const char *>(u"Zoë,1"), 10);
    EXPECT_EQ(ImportText::Decode(le, "f"), QStringLiteral("Zoë,1"));
    try {
        ImportText::Decode(QByteArray("ab\ncd\0ef", 8), "junk.csv");
        FAIL() << "binary accepted";
    } catch (const EInOutError &e) {
        EXPECT_STREQ(e.what(), "\"junk.csv\" is not a text file (it holds bytes no text has, at line 2); nothing was imported");
    }
}

TEST(CsvHeaders, AFirstRecordOfColumnNamesIsAHeaderAndPicksItsPreset)
{
    EXPECT_EQ(PresetForHeader({"Title", "first name", "Last Name", "E-Mail Address", ""}), 0);
    EXPECT_FALSE(IsHeaderRecord({"Kim", "Sample", "kim@example.com"}));
    EXPECT_FALSE(IsHeaderRecord({"", ""}));
    // A person called "Title City" is still a person: "Kim" names no column.
    EXPECT_FALSE(IsHeaderRecord({"Title", "Kim"}));
    auto presetNamed = [](int i) { return i < 0 ? QString() : CsvPresets()[size_t(i)].name; };
    EXPECT_EQ(presetNamed(PresetForHeader({"First Name", "Last Name", "Display Name", "Nickname", "Primary Email",
                                           "Work Phone", "Home Address", "Custom 4", "Notes"})),
              "Thunderbird");
    EXPECT_EQ(presetNamed(PresetForHeader({"Name", "Given Name", "Family Name", "Group Membership", "E-mail 1 - Type",
                                           "E-mail 1 - Value", "Phone 2 - Value", "Organization 1 - Name"})),
              "Google Contacts");
    EXPECT_EQ(presetNamed(PresetForHeader({"Title", "First Name", "Last Name", "Company", "Business Street",
                                           "Home Phone", "E-mail Address", "User 1"})),
              "Outlook");
}

TEST(CsvHeaders, APresetTakesTheFirstFilledCellAndNeverMixesTwoAddresses)
{
    const QStringList header = {"First Name", "Last Name", "Work Phone", "Mobile Number", "Work Address", "Work City",
                                "Home Address", "Home City", "Primary Email"};
    const CsvColumnMap map = CsvColumnMap::ByHeader(header, CsvPresets()[1]);
    EXPECT_EQ(map.Names(), (QStringList{"First Name", "Last Name", "Phone Number", "Address Line 1", "City", "E-Mail Address"}));
    // No work address at all: the home address whole.
    EXPECT_EQ(map.Values({"Kim", "Park", "", "555", "", "", "1 Elm", "Springfield", "kim@x.org"}),
              (QStringList{"Kim", "Park", "555", "1 Elm", "Springfield", "kim@x.org"}));
    // A work city alone chooses the work address, not the home street with it.
    EXPECT_EQ(map.Values({"Kim", "Park", "1", "2", "", "Shelbyville", "1 Elm", "Springfield", ""}),
              (QStringList{"Kim", "Park", "1", "", "Shelbyville", ""}));
    const CsvColumnMap webmail = CsvColumnMap::ByHeader({"Given Name", "Phone 1 - Value"}, CsvPresets()[2]);
    EXPECT_EQ(webmail.Values({"Ann", "555-1 ::: 555-2"}), (QStringList{"Ann", "555-1"}));
    const CsvColumnMap byPosition = CsvColumnMap::ByPosition({"Last Name", "First Name"});
    EXPECT_EQ(byPosition.Values({"Berg"}), (QStringList{"Berg", ""}));
}

} // namespace
