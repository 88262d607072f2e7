#include "store/phoneformats.h"

#include <gtest/gtest.h>

TEST(PhoneFormats, FaxListCarriesThePhoneMasks)
{
    for (const PhoneFormat &fax : FaxFormats()) {
        const int i = FormatNames(PhoneFormats()).indexOf(fax.name);
        ASSERT_GE(i, 0);
        EXPECT_EQ(fax.mask, PhoneFormats().at(i).mask) << fax.name.toStdString();
    }
    EXPECT_EQ(FormatMask(FaxFormats(), 0), "!\\(999\\)000-0000;0;_");
    EXPECT_EQ(FormatMask(PhoneFormats(), 9), FormatMask(PhoneFormats(), 7)); // Sweden as Norway
    EXPECT_TRUE(FormatMask(PhoneFormats(), -1).isEmpty());
    EXPECT_TRUE(FormatMask(PhoneFormats(), 11).isEmpty());
}

TEST(NumberMask, TranslatesToQtNotation)
{
    // Required and optional digits swap letters; escapes are kept only where Qt
    // would read the literal as a mask character.
    EXPECT_EQ(NumberMask("!\\(999\\)000-0000;0;_").qtInputMask(), "(000)999-9999;_");
    EXPECT_EQ(NumberMask("!\\00099\\-0000999;0;_").qtInputMask(), "\\09900-9999000;_");
    EXPECT_EQ(NumberMask("00 09 99 99;0;_").qtInputMask(), "99 90 00 00;_");
    // Literal letters that Qt treats as mask characters, and its separator.
    EXPECT_EQ(NumberMask("Ax#\\9\\;0;0;*").qtInputMask(), "\\A\\x\\#\\9\\;9;*");
    EXPECT_TRUE(NumberMask().qtInputMask().isEmpty());
}

TEST(NumberMask, BareAndShownTexts)
{
    NumberMask usa("!\\(999\\)000-0000;0;_");
    EXPECT_EQ(usa.shownText("555123456789"), "(555)123-4567"); // extra digits find no place
    EXPECT_EQ(usa.shownText("(555) 123-4567"), "(555)123-4567"); // only digits fill positions
    EXPECT_EQ(usa.shownText("555-1234"), "(555)___-1234");     // a typed literal jumps ahead
    EXPECT_EQ(usa.bareText("(555)___-____"), "555");
    EXPECT_TRUE(usa.bareText("(   )   -    ").isEmpty());

    // The leading 0 is a literal, so it is not part of the bare text; typed digits
    // fill the optional positions of the area code before the dash.
    NumberMask nl("!\\00099\\-0000999;0;_");
    EXPECT_EQ(nl.shownText("201234567"), "02012-34567__");
    EXPECT_EQ(nl.bareText("020__-1234567"), "201234567");

    NumberMask dk("\\+45 00 00 00 00;0;_");
    EXPECT_EQ(dk.bareText("+45 12 34 56 78"), "12345678"); // the 45 is a literal too

    // A mask that saves its literals keeps them in the bare text, blanks aside.
    EXPECT_EQ(NumberMask("00-00;1;*").bareText("12-3*"), "12-3");
    EXPECT_EQ(NumberMask().bareText("anything 1"), "anything 1");
}
