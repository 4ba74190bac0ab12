// The Windows windows at the DPIs players use (96, 120, 144 and 192): the
// window and its squares keep their size in twips, the board lines fall on
// whole pixels, and a dragged square stays under the pointer pixel for
// pixel. Plain C++, no window: it runs on every build.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "game/board.h"
#include "game/forms.h"
#include "game/puzzle.h"
#include "win32/twips.h"

using namespace morvane;
using namespace morvane::win32;

namespace {

class AtDpi : public testing::TestWithParam<int> {
protected:
    int dpi() const { return GetParam(); }
    int squarePixels() const { return twipsToPixels(kSquareTwips, dpi()); }

    // Where a square's window stands, in client pixels.
    int leftPixels(const Puzzle& puzzle, int index) const { return twipsToPixels(puzzle.cell(index).left, dpi()); }
    int topPixels(const Puzzle& puzzle, int index) const { return twipsToPixels(puzzle.cell(index).top, dpi()); }

    // A pointer at a client pixel, as the square's window reports it: in
    // pixels from its own corner, converted to twips.
    float xFrom(const Puzzle& puzzle, int index, int pointer) const
    {
        return pixelsToTwips(pointer - leftPixels(puzzle, index), dpi());
    }
    float yFrom(const Puzzle& puzzle, int index, int pointer) const
    {
        return pixelsToTwips(pointer - topPixels(puzzle, index), dpi());
    }
};

TEST_P(AtDpi, ASquareIsAWholeNumberOfPixelsAndTheLatticeFallsOnWholePixels)
{
    EXPECT_EQ(squarePixels() * 96, 16 * dpi());
    for (int n = -136; n <= 136; ++n)
        ASSERT_EQ(twipsToPixels(n * kSquareTwips, dpi()), n * squarePixels()) << n;
}

TEST_P(AtDpi, EveryPointerPixelComesBackToTheSamePixel)
{
    for (int p = -5000; p <= 5000; ++p) {
        ASSERT_EQ(twipsToPixels(pixelsToTwips(p, dpi()), dpi()), p) << p;
        // Exact in single precision: 15, 12, 10 and 7.5 twips to the pixel.
        ASSERT_EQ(static_cast<double>(pixelsToTwips(p, dpi())), p * twipsPerPixel(dpi())) << p;
    }
}

TEST_P(AtDpi, TheBoardLinesAreOneSquareApartAndSpanTheBoard)
{
    const int left = twipsToPixels(kBoardLeft, dpi());
    const int top = twipsToPixels(kBoardTop, dpi());
    int rows = 0;
    int columns = 0;
    for (const Line& line : boardLines()) {
        const PixelLine at = pixelLine(line, dpi());
        if (line.y1 == 0)
            continue;  // the rule under the menu bar
        if (at.y1 == at.y2) {
            EXPECT_EQ(at.y1, top + (rows++) * squarePixels());
            EXPECT_EQ(at.x1, left);
            EXPECT_EQ(at.x2, left + kBoardColumns * squarePixels());
        } else {
            EXPECT_EQ(at.x1, left + (columns++) * squarePixels());
            EXPECT_EQ(at.y1, top);
            EXPECT_EQ(at.y2, top + kBoardRows * squarePixels());
        }
    }
    EXPECT_EQ(rows, kBoardRows + 1);
    EXPECT_EQ(columns, kBoardColumns + 1);
}

// The starting layout is 160 twips off the lattice, which at 96 DPI is not a
// whole pixel; the grab point must still stay under the pointer, in every
// step and across the window's edges. (GrabY is a whole number of twips: at
// 192 DPI a grab an odd number of pixels down is half a twip off, and the
// square then creeps by that half twip with every move, as the game's
// arithmetic has it.)
TEST_P(AtDpi, ADraggedSquareStaysUnderThePointer)
{
    Puzzle puzzle;
    const int index = firstSquareOf(9) + 2;
    const int grabX = squarePixels() / 3;
    const int grabY = squarePixels() / 2;
    int pointerX = leftPixels(puzzle, index) + grabX;
    int pointerY = topPixels(puzzle, index) + grabY;
    puzzle.cell_MouseDown(index, button::Left, 0, xFrom(puzzle, index, pointerX), yFrom(puzzle, index, pointerY));
    const std::pair<int, int> steps[] = {{1, 0}, {0, 1}, {-7, 3}, {250, -90}, {-900, -800}, {3, 1}, {1200, 1500}};
    for (const auto& [dx, dy] : steps) {
        pointerX += dx;
        pointerY += dy;
        puzzle.cell_MouseMove(index, button::Left, 0, xFrom(puzzle, index, pointerX), yFrom(puzzle, index, pointerY));
        ASSERT_EQ(leftPixels(puzzle, index), pointerX - grabX) << dx << "," << dy;
        ASSERT_EQ(topPixels(puzzle, index), pointerY - grabY) << dx << "," << dy;
    }
}

TEST_P(AtDpi, TheWindowsAndFontsKeepTheirSizeInTwips)
{
    // Within half a pixel, rounded as the system rounds.
    const auto near = [&](int pixels, double twips) {
        return std::abs(pixels - twips / twipsPerPixel(dpi())) <= 0.5;
    };
    EXPECT_TRUE(near(twipsToPixels(forms::frmPuzzle.size.width, dpi()), forms::frmPuzzle.size.width));
    EXPECT_TRUE(near(twipsToPixels(forms::frmSplash.size.height, dpi()), forms::frmSplash.size.height));
    EXPECT_TRUE(near(bannerPixels(forms::kDefaultBanner.widthPixels, dpi()), forms::kDefaultBanner.widthTwips()));
    const PixelRect help = pixelRect(forms::TOLMHelpControl1.rect, dpi());
    EXPECT_TRUE(near(help.left, forms::TOLMHelpControl1.rect.left));
    EXPECT_TRUE(near(help.height, forms::TOLMHelpControl1.rect.height));
    // 12 points are a sixth of an inch: 240 twips of character height.
    EXPECT_TRUE(near(-fontHeight(12, dpi()), 240));
}

INSTANTIATE_TEST_SUITE_P(Dpi, AtDpi, testing::Values(96, 120, 144, 192),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

TEST(Win32Geometry, HalvesRoundAwayFromZeroAsTheSystemDoes)
{
    // The splash is 7605 twips wide: 760.5 pixels at 144 DPI.
    EXPECT_EQ(twipsToPixels(forms::frmSplash.size.width, 144), 761);
    EXPECT_EQ(twipsToPixels(-forms::frmSplash.size.width, 144), -761);
    EXPECT_EQ(twipsToPixels(forms::frmPuzzle.size.width, 96), 493);
    EXPECT_EQ(twipsToPixels(forms::frmPuzzle.size.height, 96), 427);
}

TEST(Win32Geometry, ASquareDraggedFarAwayStillHasAPixelPosition)
{
    EXPECT_EQ(twipsToPixels(1e30, 192), 1 << 24);
    EXPECT_EQ(twipsToPixels(-1e30, 96), -(1 << 24));
}

} // namespace
