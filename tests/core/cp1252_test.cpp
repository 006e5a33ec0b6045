#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace yw {

TEST(Cp1252, EveryByteRoundTripsIncludingTheUndefinedFive)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(char(i));
    const QString text = cp1252::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro sign
    EXPECT_EQ(text.at(0x94), QChar(0x201D)); // the closing quote stored for double quotes
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(text.at(undefined).unicode(), undefined);
    const auto back = cp1252::fromUnicode(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, CharactersItCannotHoldAreReportedNotReplaced)
{
    EXPECT_FALSE(cp1252::fromUnicode(QString::fromUtf8("Zott \u4e2d")).has_value());
    EXPECT_FALSE(cp1252::canEncode(QString::fromUtf8("\u0100")));
    EXPECT_TRUE(cp1252::canEncode(QString::fromUtf8("Caf\u00e9 \u201cquoted\u201d \u20ac")));
}

} // namespace yw
