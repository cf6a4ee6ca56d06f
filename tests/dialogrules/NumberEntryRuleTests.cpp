#include "NumberEntry.h"
#include "OptionChoices.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NumberEntryRule, TheNumberAtTheStartOfTheTextIsReadAndRoundedHalfToEven)
{
    EXPECT_EQ(ReadLeadingNumber("12abc"), 12.0);
    EXPECT_EQ(ReadLeadingNumber(" \t-7.25x"), -7.25);
    EXPECT_EQ(ReadLeadingNumber("+2e1"), 20.0);
    EXPECT_EQ(ReadLeadingNumber("12e"), 12.0);
    EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
    EXPECT_EQ(ReadLeadingNumber("abc"), 0.0);
    EXPECT_EQ(ReadLeadingNumber("."), 0.0);
    EXPECT_EQ(ReadLeadingNumber("１２"), 0.0);
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e400")));
    EXPECT_TRUE(std::isinf(ReadLeadingNumber(std::string(400, '9'))));
    EXPECT_EQ(ReadLeadingNumber("1e-400"), 0.0);
    EXPECT_EQ(ReadLeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(RoundHalfEven(12.5), 12.0);
    EXPECT_EQ(RoundHalfEven(13.5), 14.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
}

TEST(NumberEntryRule, EachRowTakesTypedTextByItsOwnCondition)
{
    NumberRow blue{"40", 40};
    TypeIntoRow(blue, BlueNumRange, "250", true);
    EXPECT_EQ(blue.text, "1");
    EXPECT_EQ(blue.value, 1);
    blue = {"40", 40};
    for (const char* ignored : {"0", "abc", "", "0.0e5"}) {
        TypeIntoRow(blue, BlueNumRange, ignored, true);
        FinishRowEdit(blue, BlueNumRange);
        EXPECT_EQ(blue.value, 40) << ignored;
        EXPECT_EQ(blue.text, ignored);
    }

    NumberRow speed{"20", 20};
    TypeIntoRow(speed, SpeedRange, "", true);
    EXPECT_EQ(speed.value, 0);
    EXPECT_EQ(speed.text, "0");

    NumberRow step{"27", 27};
    TypeIntoRow(step, StepRange, "", true);
    FinishRowEdit(step, StepRange);
    EXPECT_EQ(step.text, "");
    EXPECT_EQ(step.value, 27);

    // "120" passes through 1 and 12, below the minimum of 50, on its way.
    NumberRow smoke{"150", 150};
    for (const char* typed : {"1", "12", "120"})
        TypeIntoRow(smoke, SmokeOnCountRange, typed, true);
    EXPECT_EQ(smoke.value, 120);
    TypeIntoRow(smoke, SmokeOnCountRange, "", true);
    EXPECT_EQ(smoke.value, 120);
    FinishRowEdit(smoke, SmokeOnCountRange);
    EXPECT_EQ(smoke.text, "50");
    EXPECT_EQ(smoke.value, 50);

    NumberRow volume{"3000", 3000};
    TypeIntoRow(volume, VolumeRange, "5000", true);
    EXPECT_EQ(volume.value, 1500);
    TypeIntoRow(volume, VolumeRange, "1e400", true);
    EXPECT_EQ(volume.text, "1500");
    MoveRowBar(volume, 300);
    EXPECT_EQ(volume.text, "300");
}
