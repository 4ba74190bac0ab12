// The end-to-end test's yardstick, built for the machine the test runs on:
// it replays on the game's rules the presses, moves and releases the test
// gives the real program, as that program's squares receive them, then tells
// where a square is, checks a screenshot pixel by pixel against the position
// and the board, or writes the position file this build would save.
//
//   e2e_positions DPI centre INDEX [EVENT...]       a square's centre in client pixels
//   e2e_positions DPI check SHOT.ppm X Y [EVENT...] the board and every square at the
//                                                   client origin X, Y of a P6 screenshot
//   e2e_positions DPI file CAPTION [EVENT...]       the position file, to standard output
//   e2e_positions DPI origin SHOT.ppm X Y WIDTH     the client area's top edge in a window
//                                                   whose frame begins at X, Y: the first
//                                                   row below the menu bar that is black
//                                                   across the window, the board's rule
//
// EVENT is down:B:X:Y, move:B:X:Y or up:B:X:Y, with B one of L and R, then s
// where Shift is held and c where Ctrl is, and X, Y the pointer in client
// pixels; or load=FILE, a position file opened. A press goes to the square
// under the pointer; that square takes every event until the last button is
// up.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/forms.h"
#include "game/positiondisk.h"
#include "game/puzzle.h"

using namespace morvane;
using forms::kBlack;
using forms::kWhite;

namespace {

int dpi = 96;

// As the Windows front end places its windows: nearest pixel, half away from zero.
int pixels(double twips)
{
    return static_cast<int>(std::lround(twips * dpi / 1440));
}

struct Square {
    int left, top, size;
    bool contains(int x, int y) const { return x >= left && x < left + size && y >= top && y < top + size; }
};

Square squareOf(const Puzzle& puzzle, int index)
{
    const SquarePosition at = puzzle.cell(index);
    return {pixels(at.left), pixels(at.top), pixels(kSquareTwips)};
}

[[noreturn]] void fail(const std::string& why)
{
    std::cerr << "e2e_positions: " << why << '\n';
    std::exit(2);
}

void replay(Puzzle& puzzle, const std::vector<std::string>& events)
{
    int captured = -1;
    int held = 0;
    for (const std::string& event : events) {
        if (event.rfind("load=", 0) == 0) {
            const std::optional<SavedPosition> position = loadPositionFile(event.substr(5));
            if (!position)
                fail("not a position: " + event);
            puzzle.setPosition(position->cell, position->caption);
            continue;
        }
        std::istringstream in(event);
        std::string kind, which;
        int x = 0, y = 0;
        char colon = 0;
        if (!std::getline(in, kind, ':') || !std::getline(in, which, ':') || !(in >> x >> colon >> y) || colon != ':')
            fail("not an event: " + event);
        const int button = which.empty() ? 0 : which[0] == 'L' ? button::Left : which[0] == 'R' ? button::Right : 0;
        int shift = 0;
        for (const char held : which.substr(which.empty() ? 0 : 1))
            shift |= held == 's' ? modifier::Shift : held == 'c' ? modifier::Ctrl : 8;
        if (!button || shift > (modifier::Shift | modifier::Ctrl))
            fail("no such button: " + event);
        if (captured < 0) {
            for (int i = 0; i < kSquareCount; ++i) {
                if (squareOf(puzzle, i).contains(x, y)) {
                    if (captured >= 0 && pieceOf(captured) != pieceOf(i))
                        fail("two pieces lie under " + event);
                    captured = i;
                }
            }
            if (captured < 0)
                fail("no square under " + event);
        }
        const Square square = squareOf(puzzle, captured);
        const auto twips = [](int p) { return static_cast<float>(static_cast<double>(p) * 1440 / dpi); };
        const float tx = twips(x - square.left);
        const float ty = twips(y - square.top);
        if (kind == "down") {
            held |= button;
            puzzle.cell_MouseDown(captured, button, shift, tx, ty);
        } else if (kind == "move") {
            puzzle.cell_MouseMove(captured, held, shift, tx, ty);
        } else if (kind == "up") {
            held &= ~button;
            puzzle.cell_MouseUp(captured, button, shift, tx, ty);
            if (!held)
                captured = -1;
        } else {
            fail("not an event: " + event);
        }
    }
}

struct Shot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    std::optional<Rgb> at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return std::nullopt;
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

Shot readPpm(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Shot shot;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255)
        fail(name + " is not an 8-bit P6 image");
    shot.rgb.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
    if (!in)
        fail(name + " ends early");
    return shot;
}

// Every square in its piece's colour at its centre and near its corners, the
// board's lines black and the middle of each empty board cell white, where no
// square covers them. The corners are taken inside the focus mark: a black
// and a white line along a square's sides, each a pixel wide at 96 DPI and
// two at 144.
int check(const Puzzle& puzzle, const Shot& shot, int originX, int originY)
{
    int checked = 0, wrong = 0;
    const auto covered = [&](int x, int y, int piece) {
        for (int i = 0; i < kSquareCount; ++i)
            if (pieceOf(i) != piece && squareOf(puzzle, i).contains(x, y))
                return true;
        return false;
    };
    const auto expect = [&](int x, int y, Rgb want, const std::string& what) {
        ++checked;
        const std::optional<Rgb> got = shot.at(originX + x, originY + y);
        if (got && *got == want)
            return;
        if (++wrong <= 12) {
            char text[160];
            std::snprintf(text, sizeof text, "%s at client pixel %d,%d: want %02x%02x%02x, got %s", what.c_str(), x, y,
                          want.red, want.green, want.blue, got ? "" : "nothing (off the screen)");
            std::cout << text;
            if (got)
                std::printf("%02x%02x%02x", got->red, got->green, got->blue);
            std::cout << '\n';
        }
    };

    for (int i = 0; i < kSquareCount; ++i) {
        const Square s = squareOf(puzzle, i);
        const int in = s.size / 2 - 1 - 2 * ((dpi + 48) / 96);
        for (const auto& [dx, dy] : {std::pair{0, 0}, {-in, -in}, {in, -in}, {-in, in}, {in, in}}) {
            const int x = s.left + s.size / 2 + dx, y = s.top + s.size / 2 + dy;
            if (!covered(x, y, pieceOf(i)))
                expect(x, y, pieceColour(pieceOf(i)), "square " + std::to_string(i));
        }
    }
    const auto free = [&](int x, int y) { return !covered(x, y, -1); };
    for (const Line& line : boardLines()) {
        const int x1 = pixels(line.x1), y1 = pixels(line.y1);
        const int x2 = pixels(line.x1 == 0 ? kBoardRight : line.x2), y2 = pixels(line.y2);
        for (int x = x1, y = y1; x <= x2 && y <= y2; x += x1 == x2 ? 0 : 1, y += y1 == y2 ? 0 : 1)
            if (free(x, y))
                expect(x, y, kBlack, "board line");
    }
    int empty = 0;
    for (int row = 0; row < kBoardRows; ++row)
        for (int column = 0; column < kBoardColumns; ++column) {
            const int x = pixels(kBoardLeft + column * kSquareTwips + kSquareTwips / 2);
            const int y = pixels(kBoardTop + row * kSquareTwips + kSquareTwips / 2);
            if (free(x, y)) {
                ++empty;
                expect(x, y, kWhite, "empty board cell");
            }
        }
    std::cout << checked << " pixels checked, " << wrong << " wrong, " << empty << " empty board cells\n";
    return wrong == 0 && checked > 300 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
        fail("usage: e2e_positions DPI centre|check|file ...");
    dpi = std::atoi(argv[1]);
    const std::string command = argv[2];
    if (command == "origin" && argc == 7) {
        const Shot shot = readPpm(argv[3]);
        const int x = std::atoi(argv[4]), top = std::atoi(argv[5]), width = std::atoi(argv[6]);
        for (int y = top; y < top + pixels(1200); ++y) {
            int black = 0;
            for (int i = 0; i < width; ++i)
                black += shot.at(x + i, y) == kBlack;
            if (black == width) {
                std::cout << y << '\n';
                return 0;
            }
        }
        fail("no rule across the window below its menu bar");
    }
    const int fixed = command == "check" ? 6 : 4;
    if (argc < fixed)
        fail("too few arguments for " + command);
    Puzzle puzzle;
    replay(puzzle, std::vector<std::string>(argv + fixed, argv + argc));

    if (command == "centre") {
        const Square s = squareOf(puzzle, std::atoi(argv[3]));
        std::cout << s.left + s.size / 2 << ' ' << s.top + s.size / 2 << '\n';
        return 0;
    }
    if (command == "check")
        return check(puzzle, readPpm(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (command == "file") {
        std::cout << writePositionFile(puzzle.cell(), argv[3]);
        return 0;
    }
    fail("no command " + command);
}
