#include "ui/dialogs/numberfield.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// Digits typed into a fresh field of a format.
struct Typed
{
    QString shown;
    QString bare;
};

Typed typeInto(const QString &mask, const QString &keys)
{
    NumberField field;
    field.setFormatMask(mask);
    field.setCursorPosition(field.format().firstInput()); // as on entering the field
    QTest::keyClicks(&field, keys);
    return {field.shownText(), field.bareText()};
}

} // namespace

// Every format's translated mask, in a real line edit, shows and strips what the
// system's own notation says it should.
TEST(NumberField, EachFormatShowsAndStripsLikeItsMask)
{
    const QString digits = QStringLiteral("1234567890123456");
    for (const PhoneFormat &format : PhoneFormats()) {
        SCOPED_TRACE(format.name.toStdString());
        const NumberMask mask(format.mask);
        if (mask.isEmpty())
            continue;
        const int inputs = int(mask.bareText(mask.shownText(digits)).size());
        ASSERT_GT(inputs, 0);

        // A full number, none and a start of one.
        for (const QString &keys : {digits, QString(), QStringLiteral("98")}) {
            const Typed typed = typeInto(format.mask, keys);
            EXPECT_EQ(typed.shown, mask.shownText(keys)) << keys.toStdString();
            EXPECT_EQ(typed.bare, keys.left(inputs)) << keys.toStdString();
        }
        EXPECT_EQ(typeInto(format.mask, digits).shown.size(), mask.length());

        // Letters find no place in a number.
        EXPECT_TRUE(typeInto(format.mask, "ab").bare.isEmpty());

        // A dash typed early jumps to the next dash of the mask, if there is one.
        EXPECT_EQ(typeInto(format.mask, "1-2").shown, mask.shownText("1-2"));
    }
}

// Masks whose literals are digits, checked apart from the mask's own rendering (the
// American one is the dialogs' and the format tests' part).
TEST(NumberField, ConcreteNumbers)
{
    EXPECT_EQ(typeInto(FormatMask(PhoneFormats(), 2), "33123456").shown, "+45 33 12 34 56");
    EXPECT_EQ(typeInto(FormatMask(PhoneFormats(), 3), "0123456789").shown, "16-01-23-45-67");
    EXPECT_EQ(typeInto(FormatMask(PhoneFormats(), 10), "1234567890").shown, "01234 567890_");
}
