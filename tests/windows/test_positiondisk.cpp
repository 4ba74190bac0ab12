// The position file on a Windows disk: what a load refuses at once, a save
// and load through a name in any script, and a failed save that leaves the
// old file as it was. Each test works in a fresh folder of its own.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <utility>

#include "game/positiondisk.h"
#include "game/positionfile.h"

using namespace morvane;
namespace fs = std::filesystem;

namespace {

class PositionDisk : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("morvane-positiondisk-" + std::to_string(GetCurrentProcessId()) + "-"
                 + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string contents(const fs::path& name)
    {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // A played position: square 0's piece moved and turned.
    static Puzzle played()
    {
        Puzzle puzzle;
        puzzle.cell_MouseDown(0, button::Left, 0, 10, 10);
        puzzle.cell_MouseMove(0, button::Left, 0, 2410, 1210);
        puzzle.cell_MouseUp(0, button::Left, 0, 2410, 1210);
        puzzle.cell_MouseDown(0, button::Right, 0, 0, 0);
        for (int t = 0; t < 42; ++t)
            puzzle.Timer1_Timer();
        return puzzle;
    }

    static bool save(const fs::path& name, const Puzzle& puzzle)
    {
        return !replaceFile(name, writePositionFile(puzzle.cell(), puzzle.caption()));
    }

    fs::path dir;
};

TEST_F(PositionDisk, AFileNamedInAnyScriptSavesAndLoads)
{
    const fs::path folder = dir / L"\u0141ukasz";
    fs::create_directories(folder);
    const fs::path name = folder / L"\u043f\u043e\u0437\u0438\u0446\u0438\u044f \u76e4\u9762.txt";
    const Puzzle puzzle = played();
    ASSERT_TRUE(save(name, puzzle));
    EXPECT_EQ(contents(name), writePositionFile(puzzle.cell(), "42"));

    const std::optional<SavedPosition> loaded = loadPositionFile(name);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->cell, puzzle.cell());
    EXPECT_EQ(loaded->caption, "42");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// A folder, a missing file, a device and a pipe that nobody writes to are all
// refused, and none of them keeps the game waiting.
TEST_F(PositionDisk, OnlyARegularFileIsReadAndNothingElseKeepsTheGameWaiting)
{
    const std::wstring pipeName = L"\\\\.\\pipe\\morvane-positiondisk-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                         4096, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    // Each is named for what it is, or else for the system's reason.
    using fs::file_type;
    const std::pair<fs::path, file_type> refused[] = {{dir, file_type::directory},
                                                      {dir / "no such file.txt", file_type::none},
                                                      {L"NUL", file_type::character},
                                                      {pipeName, file_type::fifo}};
    for (const auto& [name, type] : refused) {
        LoadTrouble trouble;
        auto loading = std::async(std::launch::async, [&name, &trouble] {
            return loadPositionFile(name, &trouble).has_value();
        });
        ASSERT_EQ(loading.wait_for(std::chrono::seconds(5)), std::future_status::ready)
            << name.string() << " keeps the load waiting";
        EXPECT_FALSE(loading.get()) << name.string();
        EXPECT_EQ(trouble.refused.type, type) << name.string();
        EXPECT_EQ(static_cast<bool>(trouble.refused.error), type == file_type::none) << name.string();
    }
    CloseHandle(pipe);
}

TEST_F(PositionDisk, AFailedSaveLeavesTheOldFileAsItWas)
{
    const fs::path name = dir / "position.txt";
    const Puzzle start;
    ASSERT_TRUE(save(name, start));
    const std::string old = contents(name);
    const Puzzle puzzle = played();

    // Another program holds the old file open and shares it with no one, so
    // it cannot be replaced.
    const HANDLE held = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(save(name, puzzle));
    CloseHandle(held);
    EXPECT_EQ(contents(name), old);

    // A folder in the file's place, and a folder that does not exist.
    const fs::path folder = dir / "folder.txt";
    fs::create_directory(folder);
    EXPECT_FALSE(save(folder, puzzle));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(save(dir / "missing folder" / "position.txt", puzzle));

    // Nothing is left behind by the failed saves: the old file and the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    ASSERT_TRUE(save(name, puzzle));
    EXPECT_EQ(contents(name), writePositionFile(puzzle.cell(), "42"));
}

} // namespace
