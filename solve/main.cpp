// morvane-solve: answers a stuck player's questions about a position the
// game saved, and writes a completed position the game loads back.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/diskfile.h"
#include "game/index.h"
#include "game/positiondisk.h"
#include "game/positionfile.h"
#include "solve/boardreading.h"
#include "solve/search.h"
#include "solve/tilings.h"

namespace {

using namespace morvane;

constexpr int kYes = 0;
constexpr int kNo = 1;
constexpr int kTrouble = 2;

constexpr std::string_view kUsage =
    "usage: morvane-solve check FILE\n"
    "       morvane-solve count FILE\n"
    "       morvane-solve complete FILE -o OUT\n"
    "       morvane-solve all [-o DIR]\n"
    "\n"
    "FILE is a position the game saved with Ctrl+S. A piece counts as on the\n"
    "board when its five squares lie on board cells in its shape and share no\n"
    "cell with another such piece.\n"
    "\n"
    "  check     which pieces are on the board and whether it is full;\n"
    "            exit 1 when it is not\n"
    "  count     how many ways the other pieces can fill the board\n"
    "  complete  writes one such way to OUT, a position the game loads with\n"
    "            Ctrl+O; exit 1, writing nothing, when there is none\n"
    "  all       every filling of the empty board, one line each, up to\n"
    "            turning and mirroring the board; -o DIR also writes each\n"
    "            as a position file\n"
    "\n"
    "Exit status: 0 yes or done, 1 no, 2 bad usage or an unreadable file.\n";

int usageError(const std::string& what)
{
    std::fprintf(stderr, "morvane-solve: %s (try morvane-solve --help)\n", what.c_str());
    return kTrouble;
}

int failure(const std::string& what)
{
    std::fprintf(stderr, "morvane-solve: %s\n", what.c_str());
    return kTrouble;
}

// Through the game's own loader: only a regular file is read, and opening
// one never waits, so a pipe, a device, a folder or a socket is refused at
// once. The reader stops after the counter and never reads a field of more
// than a few hundred bytes, so a huge file is never read whole.
std::optional<SavedPosition> load(const std::string& path, std::string& error)
{
    using std::filesystem::file_type;
    LoadTrouble trouble;
    auto position = loadPositionFile(path, &trouble);
    if (position)
        return position;
    const file_type type = trouble.refused.type;
    if (trouble.refused.error)
        error = "cannot open " + path + ": " + trouble.refused.error.message();
    else if (type == file_type::directory)
        error = path + " is a folder, not a position file";
    else if (type == file_type::fifo)
        error = path + " is a pipe, not a position file";
    else if (type == file_type::character || type == file_type::block)
        error = path + " is a device, not a position file";
    else if (type == file_type::socket)
        error = path + " is a socket, not a position file";
    else if (type != file_type::none)
        error = path + " is not a regular file";
    else if (trouble.unreadable)
        error = "cannot read " + path;
    else
        error = path + " is not a position file";
    return std::nullopt;
}

// Written beside the target and put in its place in one step, so a reader of
// `path` sees the old file or the whole new one, never half of it.
bool writeWhole(const std::string& path, const std::string& text, std::string& error)
{
    if (const std::error_code failed = replaceFile(path, text)) {
        error = "cannot write " + path + ": " + failed.message();
        return false;
    }
    return true;
}

std::string pieceList(const BoardReading& reading, bool onBoard)
{
    std::string list;
    for (int p = 0; p < kPieceCount; ++p) {
        if (reading.placed[at(p)].has_value() == onBoard) {
            list += list.empty() ? "" : " ";
            list += kPieceLetters[at(p)];
        }
    }
    return list.empty() ? "none" : list;
}

int check(const BoardReading& reading)
{
    std::printf("on the board: %s\nnot on the board: %s\nsolved: %s\n", pieceList(reading, true).c_str(),
                pieceList(reading, false).c_str(), reading.solved() ? "yes" : "no");
    return reading.solved() ? kYes : kNo;
}

int count(const BoardReading& reading)
{
    const auto ways = static_cast<unsigned long long>(countCompletions(reading));
    // No tiling of the empty board is its own image, so each of its tilings
    // stands for exactly four.
    if (reading.covered() == 0)
        std::printf("%llu (%llu up to turning and mirroring the board)\n", ways, ways / kBoardSymmetries);
    else
        std::printf("%llu\n", ways);
    return kYes;
}

int complete(const SavedPosition& position, const BoardReading& reading, const std::string& out)
{
    const auto tiling = firstCompletion(reading);
    if (!tiling) {
        std::printf("no completion\n");
        return kNo;
    }
    const Positions done = completedPositions(position.cell, reading, *tiling);
    std::string error;
    if (!writeWhole(out, writePositionFile(done, position.caption), error))
        return failure(error);
    return kYes;
}

int all(const std::optional<std::string>& folder)
{
    if (folder) {
        std::error_code ec;
        std::filesystem::create_directory(*folder, ec);
        if (!std::filesystem::is_directory(*folder, ec))
            return failure("cannot make the folder " + *folder);
    }
    const Positions none{};
    const BoardReading nothingPlaced;
    std::string error;
    int written = 0;
    std::string lines;
    solveEmptyBoard([&](const Tiling& tiling) {
        lines += tilingLine(cellsOf(tiling));
        lines += '\n';
        if (!folder)
            return true;
        char name[32];
        std::snprintf(name, sizeof name, "tiling-%04d.txt", ++written);
        const auto path = (std::filesystem::path(*folder) / name).string();
        return writeWhole(path, writePositionFile(completedPositions(none, nothingPlaced, tiling), "0"), error);
    });
    std::fwrite(lines.data(), 1, lines.size(), stdout);
    return error.empty() ? kYes : failure(error);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return kYes;
    }

    std::vector<std::string> operands;
    std::optional<std::string> out;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 == args.size())
                return usageError("-o needs a file name");
            if (out)
                return usageError("-o given twice");
            out = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return usageError("unknown option " + args[i]);
        } else {
            operands.push_back(args[i]);
        }
    }

    try {
        if (command == "all") {
            if (!operands.empty())
                return usageError("all takes no file");
            return all(out);
        }
        if (command != "check" && command != "count" && command != "complete")
            return usageError("unknown command " + command);
        if (operands.size() != 1)
            return usageError(command + " takes one position file");
        if (command == "complete" && !out)
            return usageError("complete needs -o OUT");
        if (command != "complete" && out)
            return usageError(command + " writes no file; -o is for complete and all");

        std::string error;
        const auto position = load(operands[0], error);
        if (!position)
            return failure(error);
        const BoardReading reading = readBoard(position->cell);
        if (command == "check")
            return check(reading);
        if (command == "count")
            return count(reading);
        return complete(*position, reading, *out);
    } catch (const std::exception& e) {
        return failure(e.what());
    }
}
