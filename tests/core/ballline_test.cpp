#include "model/eballrecord.h"
#include "platform/errors.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace yw {

namespace {

EBallRecord example()
{
    EBallRecord r;
    r.fillColor = 5;
    r.borderColor = 12;
    r.spreckColor = 255;
    r.fuzziness = 0;
    r.borderThickness = -1;
    r.diameter = 25;
    r.auxValue = 0;
    r.texture = 3;
    r.useTexture = 0;
    r.comment = "abc";
    return r;
}

ParsedBallLine parse(const std::string& bytes, qint64 position = 1)
{
    return parseBallLine(QByteArrayView(bytes.data(), qsizetype(bytes.size())), position,
                         QStringLiteral("egg.odd"));
}

} // namespace

TEST(BallNumber, SmallValuesTakeThreeCharactersOthersTheirNaturalWidth)
{
    const std::pair<int16_t, const char*> table[] = {
        {0, "  0"},  {9, "  9"},   {10, "10"},     {255, "255"},      {-1, " -1"},
        {-9, " -9"}, {-10, "-10"}, {1000, "1000"}, {-32768, "-32768"}};
    for (const auto& [value, text] : table)
        EXPECT_EQ(formatBallNumber(value), text) << value;
}

TEST(BallLine, TheSeventyEightCharacterExample)
{
    const std::string sep = ",      ";
    const std::string expected = "  5" + sep + "12" + sep + "255" + sep + "  0" + sep + " -1" +
                                 sep + "25" + sep + "  0" + sep + " -1" + "    abc";
    EXPECT_EQ(formatBallLine(example()), expected);
    EXPECT_EQ(expected.size(), 78u);

    EBallRecord textured = example();
    textured.useTexture = 1;
    const std::string line = formatBallLine(textured);
    EXPECT_EQ(line.substr(line.size() - 10), "  3    abc");
}

TEST(BallLine, WhatTheWriterWritesReadsBack)
{
    EBallRecord r = example();
    r.texture = 7;
    const ParsedBallLine parsed = parse(formatBallLine(r) + ",\r\n" + "X");
    EXPECT_EQ(parsed.record.texture, -1); // an unused texture is written as -1
    EXPECT_EQ(parsed.record.useTexture, 0);
    EXPECT_EQ(parsed.record.comment, "abc");
    EXPECT_EQ(parsed.record.diameter, 25);
    EXPECT_EQ(parsed.record.spreckColor, 255);

    r.useTexture = 1;
    const ParsedBallLine withTexture = parse(formatBallLine(r) + ",\r\n");
    EXPECT_EQ(withTexture.record, r);
}

TEST(BallLine, NextPositionIsTheByteAfterTheLineFeed)
{
    const std::string first = formatBallLine(example()) + ",\r\n";
    const std::string bytes = "zz" + first + first;
    const ParsedBallLine a = parse(bytes, 3);
    EXPECT_EQ(a.nextPosition, qint64(3 + first.size()));
    const ParsedBallLine b = parse(bytes, a.nextPosition);
    EXPECT_EQ(b.record, a.record);
}

TEST(BallLine, CommentEdgeCases)
{
    const std::string head = "1,2,3,0,1,20,0,";
    // Five blanks: the fifth belongs to the comment.
    EXPECT_EQ(parse(head + "2     abc,\r\n").record.comment, " abc");
    EXPECT_EQ(parse(head + "2     abc,\r\n").record.texture, 2);
    // A comma inside the comment cuts it; the rest lands in ignored fields.
    EXPECT_EQ(parse(head + "  2    left,right,\r\n").record.comment, "left");
    // Bare line feeds: no carriage return anywhere.
    EXPECT_EQ(parse(head + "  2    abc,\n").record.comment, "abc");
    // No trailing comma: the carriage return stays in the comment.
    EXPECT_EQ(parse(head + "  2    abc\r\n").record.comment, "abc\r");
    // Only the text up to the next four blanks is the comment.
    EXPECT_EQ(parse(head + "  2    abc    def,\r\n").record.comment, "abc");
}

TEST(BallLine, DiameterHasAFloorOfMinus255)
{
    for (const auto& [text, diameter] : {std::pair{"-300", -255}, {"-255", -255}, {"-254", -254}})
        EXPECT_EQ(parse("1,2,3,0,1," + std::string(text) + ",0,  2    c,\r\n").record.diameter,
                  diameter);
}

TEST(BallLine, LinesThatAreNotBallLinesAreErrorsNamingFileAndByte)
{
    const char* bad[] = {
        "1,2,3,0,1,20,0\r\n",              // seven fields
        "1,2,3,0,1,20,0,  2 abc,\r\n",     // no four blanks
        "1,x,3,0,1,20,0,  2    abc,\r\n",  // not a number
        "1,2,3,0,1,40000,0,  2    c,\r\n", // beyond 16 bits
        "1,2,3,0,1,20,0,  2    abc,",      // no line feed before the end
    };
    for (const char* line : bad)
        test::expectFormatError([&] { parse(line); }, QStringLiteral("egg.odd"),
                                QStringLiteral("byte 1"));
    EXPECT_THROW(parse("1,2\n", 0), FormatError);
    EXPECT_THROW(parse("1,2\n", 99), FormatError);
}

} // namespace yw
