// The position file as text: what a save writes, what a load accepts, and
// the files it turns away whole.

#include <gtest/gtest.h>

#include "game/positionfile.h"
#include "game/runtime.h"

using namespace morvane;

namespace {

std::optional<SavedPosition> read(const std::string& text)
{
    return readPositionFile(text);
}

// A played position: moved, turned and off the window to the left and top.
Puzzle playedPuzzle()
{
    Puzzle puzzle;
    puzzle.cell_MouseDown(0, button::Left, 0, 10, 10);
    puzzle.cell_MouseMove(0, button::Left, 0, -3000, -4000);
    puzzle.cell_MouseUp(0, button::Left, 0, 0, 0);
    puzzle.cell_MouseDown(33, button::Right, 0, 0, 0);
    puzzle.cell_MouseDown(33, button::Left, 0, 0, 0);
    puzzle.cell_MouseMove(33, button::Left, 0, 1000.5f, 1.25f);  // left mid-drag, off the lattice
    for (int t = 0; t < 75; ++t)
        puzzle.Timer1_Timer();
    return puzzle;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        result.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return result;
}

} // namespace

TEST(NumberText, SignOrSpaceThenShortestDigitsThenASpace)
{
    EXPECT_EQ(numberText(2400), " 2400 ");
    EXPECT_EQ(numberText(0), " 0 ");
    EXPECT_EQ(numberText(-0.0f), " 0 ");
    EXPECT_EQ(numberText(-240), "-240 ");
    EXPECT_EQ(numberText(2401.25f), " 2401.25 ");
    EXPECT_EQ(numberText(1e7f), " 1E+07 ");
    EXPECT_EQ(numberText(-3.5e-6f), "-3.5E-06 ");
}

TEST(Writing, SixtyOneCrLfLinesEndingWithTheCounter)
{
    const Puzzle fresh;
    const std::vector<std::string> written = lines(writePositionFile(fresh.cell(), fresh.caption()));
    ASSERT_EQ(written.size(), 61u);
    EXPECT_EQ(written[0], " 2400  400 ");
    EXPECT_EQ(written[1], " 2160  640 ");
    EXPECT_EQ(written[60], "0");
    for (const std::string& line : written)
        EXPECT_EQ(line.find('\n'), std::string::npos);
}

TEST(Reading, GivesBackWhatWasWritten)
{
    const Puzzle puzzle = playedPuzzle();
    ASSERT_LT(puzzle.cell(0).left, 0.0f);
    ASSERT_LT(puzzle.cell(0).top, 0.0f);
    const auto back = read(writePositionFile(puzzle.cell(), puzzle.caption()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->caption, "75");
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_EQ(back->cell[static_cast<std::size_t>(i)].top, puzzle.cell(i).top) << i;
        // A Left is read as a whole number of twips.
        EXPECT_EQ(back->cell[static_cast<std::size_t>(i)].left, static_cast<float>(roundHalfEven(puzzle.cell(i).left))) << i;
    }
}

TEST(Reading, AcceptsEitherSpacingCommasAndBlankSeparators)
{
    std::string zoned, commas, loose;
    for (int i = 0; i < kSquareCount; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, " %-13d %d \r\n", 100 + i, -i);
        zoned += line;
        commas += std::to_string(100 + i) + "," + std::to_string(-i) + "\r\n";
        loose += "   " + std::to_string(100 + i) + "\n\n\t" + std::to_string(-i) + " ,  ";
    }
    for (const std::string& text : {zoned + "12\r\n", commas + "12\r\n", loose + "\r\n\r\n12"}) {
        const auto position = read(text);
        ASSERT_TRUE(position) << text;
        EXPECT_EQ(position->cell[59].top, 159.0f);
        EXPECT_EQ(position->cell[59].left, -59.0f);
        EXPECT_EQ(position->caption, "12");
    }
}

TEST(Reading, TopKeepsItsFractionLeftIsRoundedHalfToEven)
{
    std::string text;
    for (int i = 0; i < kSquareCount; ++i)
        text += " 2400.75  " + std::string(i % 2 ? "2.5" : "3.5") + " \r\n";
    const auto position = read(text + "  7 x  \r\n");
    ASSERT_TRUE(position);
    EXPECT_EQ(position->cell[0].top, 2400.75f);
    EXPECT_EQ(position->cell[0].left, 4.0f);
    EXPECT_EQ(position->cell[1].left, 2.0f);
    EXPECT_EQ(position->caption, "7 x");  // the counter is taken as it stands

    // An empty counter line is a counter of its own, not a missing one.
    std::string empty;
    for (int i = 0; i < kSquareCount; ++i)
        empty += " 0  0 \r\n";
    ASSERT_TRUE(read(empty + "\r\n"));
    EXPECT_EQ(read(empty + "\r\n")->caption, "");
}

TEST(Reading, RefusesFilesItCannotApplyWhole)
{
    const Puzzle fresh;
    const std::string good = writePositionFile(fresh.cell(), "5");
    ASSERT_TRUE(read(good));

    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    ASSERT_EQ(good.substr(good.size() - 17), " 5040  6160 \r\n5\r\n");

    EXPECT_FALSE(read(""));
    EXPECT_FALSE(read(good.substr(0, good.size() - 3)));            // no counter
    EXPECT_FALSE(read(good.substr(0, good.find("\r\n") + 2)));      // one square only
    EXPECT_FALSE(read(replaced(" 2400  400 ", " abc  400 ")));      // a Top that is not a number
    EXPECT_FALSE(read(replaced(" 2400  400 ", " 12abc  400 ")));
    EXPECT_FALSE(read(replaced(" 2400  400 ", " 2400  40000 ")));   // a Left beyond 16 bits
    EXPECT_FALSE(read(replaced(" 2400  400 ", " 2400  32767.5 ")));
    EXPECT_FALSE(read(replaced(" 2400  400 ", " 1e39  400 ")));     // beyond single precision
    EXPECT_FALSE(read(replaced(" 2400  400 ", " nan  400 ")));
    EXPECT_FALSE(read(replaced(" 2400  400 ", " inf  400 ")));
    EXPECT_FALSE(read(replaced(" 2400  400 ", " 2400,,400 ")));     // an empty field
    EXPECT_FALSE(read(replaced(" 2400  400 ", std::string(" 24\0" "00  400 ", 11))));
    EXPECT_FALSE(read(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    EXPECT_TRUE(read(replaced(" 2400  400 ", " 2400  -32768 ")));
    EXPECT_TRUE(read(replaced(" 2400  400 ", " +2400  400 ")));
}

TEST(Reading, StopsAfterTheCounterAndNeverSwallowsAHugeField)
{
    const Puzzle fresh;
    const auto tail = read(writePositionFile(fresh.cell(), "3") + std::string(8 << 10, 'x'));
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->caption, "3");
    EXPECT_FALSE(read(" 2400 " + std::string(8 << 10, '7')));
}
