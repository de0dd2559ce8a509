// Volumes and other numbers go into the player's files as "%10.5f" does it:
// five decimals, a point whatever the locale, padded to ten places; they read
// back as the number written, to the fifth decimal.
#include <gtest/gtest.h>

#include <clocale>

#include "resources/property_file.h"

TEST(PropertyFloat, NumbersAreWrittenWithFiveDecimalsInTenPlacesAndReadBack)
{
    const struct {
        float value;
        const wchar_t* text;
    } cases[] = {
        { 1.5f, L"   1.50000" },   { 0.0f, L"   0.00000" }, { 0.123456f, L"   0.12346" },
        { -2.25f, L"  -2.25000" }, { 1.0f, L"   1.00000" }, { 12345.5f, L"12345.50000" }, // longer: not cut
    };
    PropertyFile file;
    for (const auto& c : cases) {
        file.SetFloat(L"v", c.value);
        EXPECT_EQ(file.GetString(L"v"), c.text) << c.value;
        EXPECT_NEAR(file.GetFloat(L"v", 99.0f), c.value, 0.000005f) << c.value;
    }
}
