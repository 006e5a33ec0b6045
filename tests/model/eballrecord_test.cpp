// Ball lines: how an eBall record is written in the egg and read back from it.
#include "model/eballrecord.h"
#include "platform/errors.h"
#include "support/testsupport.h"

namespace yw {

using namespace Qt::StringLiterals;

namespace {

ParsedBallLine parse(const std::string& bytes, qint64 position = 1)
{
    return parseBallLine(QByteArrayView(bytes.data(), qsizetype(bytes.size())), position,
                         u"egg.odd"_s);
}

} // namespace

TEST(BallLines, NumbersFillTheirColumns)
{
    const std::pair<int16_t, const char*> numbers[] = {
        {0, "  0"},  {9, "  9"},   {10, "10"},     {255, "255"},       {-1, " -1"},
        {-9, " -9"}, {-10, "-10"}, {1000, "1000"}, {-32768, "-32768"}, {32767, "32767"}};
    for (const auto& [value, text] : numbers)
        EXPECT_EQ(formatBallNumber(value), text) << value;
}

TEST(BallLines, AnUnusedTextureIsWrittenAndReadAsMinusOne)
{
    // The 78-character example.
    EBallRecord r{5, 12, 255, 0, -1, 25, 0, 3, "abc", 0};
    const std::string sep = ",      ";
    const std::string line = "  5" + sep + "12" + sep + "255" + sep + "  0" + sep + " -1" + sep +
                             "25" + sep + "  0" + sep + " -1" + "    abc";
    EXPECT_EQ(formatBallLine(r), line);
    r.texture = 7;
    EXPECT_EQ(parse(formatBallLine(r) + ",\r\nX").record,
              (EBallRecord{5, 12, 255, 0, -1, 25, 0, -1, "abc", 0}));
    r.useTexture = 1;
    EXPECT_EQ(formatBallLine(r).substr(line.size() - 10), "  7    abc");
    EXPECT_EQ(parse(formatBallLine(r) + ",\r\n").record, r);
}

TEST(BallLines, TheCommentFollowsFourBlanksAndEndsAtTheNextFourOrAComma)
{
    const std::string head = "1,2,3,0,1,20,0,";
    const std::pair<const char*, const char*> comments[] = {
        {"2     abc,\r\n", " abc"},         // five blanks: the fifth belongs to the comment
        {"  2    left,right,\r\n", "left"}, // a comma cuts it, the rest lands in ignored fields
        {"  2    abc,\n", "abc"},           // bare line feed
        {"  2    abc\r\n", "abc\r"},        // no trailing comma: the CR stays in the comment
        {"  2    abc    def,\r\n", "abc"}}; // only up to the next four blanks
    for (const auto& [tail, comment] : comments) {
        EXPECT_EQ(parse(head + tail).record.comment, comment) << tail;
        EXPECT_EQ(parse(head + tail).record.texture, 2) << tail;
    }
}

TEST(BallLines, ADiameterBelowMinus255ReadsAsMinus255)
{
    for (const auto& [text, diameter] : {std::pair{"-300", -255}, {"-255", -255}, {"-254", -254}})
        EXPECT_EQ(parse("1,2,3,0,1," + std::string(text) + ",0,  2    c,\r\n").record.diameter,
                  diameter);
}

TEST(BallLines, ABrokenLineIsRefusedNamingTheEggAndTheByte)
{
    for (const char* bad : {
             "1,2,3,0,1,20,0\r\n",              // seven fields
             "1,2,3,0,1,20,0,  2 abc,\r\n",     // no four blanks
             "1,x,3,0,1,20,0,  2    abc,\r\n",  // not a number
             "1,2,3,0,1,40000,0,  2    c,\r\n", // beyond 16 bits
             "1,2,3,0,1,20,0,  2    abc,",      // no line feed before the end
         })
        test::expectFormatError([&] { parse(bad); }, u"egg.odd"_s, u"byte 1"_s);
    EXPECT_THROW(parse("1,2\n", 0), FormatError);
    EXPECT_THROW(parse("1,2\n", 99), FormatError);
}

} // namespace yw
