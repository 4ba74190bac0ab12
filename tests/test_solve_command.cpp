// morvane-solve as a player runs it: the real program on files the game
// writes, its answers and exit status, and a completed position loaded back
// through the game window's own loader.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <set>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qt/frmPuzzle.h"
#include "game/positionfile.h"
#include "solve/boardreading.h"
#include "solve/search.h"
#include "solve/tilings.h"
#include "qt/twips.h"
#include "qtapp.h"
#include "support.h"

extern char** environ;

using namespace morvane;
using morvane::testing::fileContents;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class SolveCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        solveEmptyBoard([this](const Tiling& t) {
            tiling = t;
            return false;
        });
    }

    std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

    Outcome solve(std::vector<std::string> args) const
    {
        args.insert(args.begin(), MORVANE_SOLVE);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::string out = path("stdout"), err = path("stderr");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        Outcome run;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        posix_spawn_file_actions_destroy(&actions);
        run.out = fileContents(out);
        run.err = fileContents(err);
        QFile::remove(QString::fromStdString(out));
        QFile::remove(QString::fromStdString(err));
        return run;
    }

    // A saved game with the given pieces where the first tiling has them and
    // the rest where New put them.
    std::string saved(const std::string& name, const std::vector<int>& pieces, const std::string& counter = "42")
    {
        Positions cell = startingLayout(ShapeTable());
        for (const int p : pieces)
            for (int k = 0; k < kSquaresPerPiece; ++k)
                cell[static_cast<std::size_t>(firstSquareOf(p) + k)] =
                    squarePosition(tiling[static_cast<std::size_t>(p)], k);
        const std::string file = path(name);
        morvane::testing::writeFile(file, writePositionFile(cell, counter));
        return file;
    }

    QTemporaryDir dir;
    Tiling tiling;
};

} // namespace

TEST_F(SolveCommand, ACompletionLoadsInTheGameWindowWithEverySquareOnTheBoard)
{
    const std::string in = saved("stuck.txt", {0, 4, 9});
    const std::string before = fileContents(in);
    const std::string out = path("done.txt");
    const Outcome run = solve({"complete", in, "-o", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(fileContents(in), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"done.txt", "stuck.txt"}));

    const QString chosen = QString::fromStdString(out);
    QStringList messages;
    frmPuzzle window(answeringDesktop(&chosen, &messages));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(partOf<QLabel>(window, "lblTime")->text(), "42");

    const auto done = readPositionFile(fileContents(out));
    ASSERT_TRUE(done.has_value());
    EXPECT_TRUE(readBoard(done->cell).solved());
    expectShownAt(window, done->cell);
    const auto stuck = readPositionFile(before);
    ASSERT_TRUE(stuck.has_value());
    for (const int p : {0, 4, 9})
        for (int k = 0; k < kSquaresPerPiece; ++k)
            EXPECT_EQ(done->cell[static_cast<std::size_t>(firstSquareOf(p) + k)],
                      stuck->cell[static_cast<std::size_t>(firstSquareOf(p) + k)]);
    const QRect board = twipsRect(kBoardLeft, kBoardTop, kBoardRight - kBoardLeft, kBoardBottom - kBoardTop);
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_TRUE(cellOf(window, i)->isVisible()) << i;
        EXPECT_TRUE(board.contains(cellOf(window, i)->geometry())) << i;
    }
}

TEST_F(SolveCommand, AnswersGoToStandardOutputWithTheExitStatusSayingYesOrNo)
{
    const std::string fresh = saved("fresh.txt", {}, "0");
    Outcome run = solve({"count", fresh});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "9356 (2339 up to turning and mirroring the board)\n");

    const std::string partial = saved("partial.txt", {1, 10});
    const auto reading = readBoard(readPositionFile(fileContents(partial))->cell);
    run = solve({"count", partial});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::to_string(countCompletions(reading)) + "\n");

    run = solve({"check", partial});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "on the board: X I\nnot on the board: L U T Z Y V W P N F\nsolved: no\n");
    run = solve({"check", saved("full.txt", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "on the board: L X U T Z Y V W P N I F\nnot on the board: none\nsolved: yes\n");

    // The L walls in the three cells above its foot: no completion, nothing written.
    Positions cell = startingLayout(ShapeTable());
    const std::array<std::pair<int, int>, kSquaresPerPiece> walling{{{1, 1}, {1, 0}, {0, 3}, {1, 2}, {1, 3}}};
    for (std::size_t k = 0; k < walling.size(); ++k)
        cell[k] = {static_cast<float>(kBoardLeft + kSquareTwips * walling[k].first),
                   static_cast<float>(kBoardTop + kSquareTwips * walling[k].second)};
    const std::string dead = path("dead.txt");
    morvane::testing::writeFile(dead, writePositionFile(cell, "7"));
    EXPECT_EQ(solve({"count", dead}).out, "0\n");
    run = solve({"complete", dead, "-o", path("never.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "no completion\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("never.txt"))));
}

TEST_F(SolveCommand, AllPrintsTheTilingsTheProgramCarriesAndWritesEachAsAPosition)
{
    const std::string folder = path("tilings");
    const Outcome run = solve({"all", "-o", folder});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream out(run.out);
    std::vector<TilingCells> printed;
    std::set<std::string> canonical;
    for (std::string line; std::getline(out, line);) {
        const auto tiling = tilingOfLine(line);
        ASSERT_TRUE(tiling.has_value()) << line;
        printed.push_back(*tiling);
        canonical.insert(canonicalLine(*tiling));
    }
    // The search and the list agree on the tilings, whatever order each keeps.
    std::set<std::string> carried;
    for (const TilingCells& t : emptyBoardTilings())
        carried.insert(tilingLine(t));
    EXPECT_EQ(printed.size(), 2339u);
    EXPECT_EQ(canonical, carried);

    // File k holds the tiling of line k, every piece on the board.
    const QStringList files = QDir(QString::fromStdString(folder)).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(static_cast<std::size_t>(files.size()), printed.size());
    EXPECT_EQ(files.front(), "tiling-0001.txt");
    for (qsizetype k = 0; k < files.size(); ++k) {
        const auto position = readPositionFile(fileContents(folder + "/" + files[k].toStdString()));
        ASSERT_TRUE(position.has_value()) << files[k].toStdString();
        EXPECT_EQ(position->caption, "0");
        const BoardReading reading = readBoard(position->cell);
        ASSERT_TRUE(reading.solved()) << files[k].toStdString();
        for (int p = 0; p < kPieceCount; ++p)
            ASSERT_EQ(reading.placed[static_cast<std::size_t>(p)]->cells,
                      printed[static_cast<std::size_t>(k)][static_cast<std::size_t>(p)])
                << files[k].toStdString();
    }
}

TEST_F(SolveCommand, BadFilesAndBadUsageExitTwoWithOneLineNamingTheTrouble)
{
    const std::string junk = path("junk.txt");
    morvane::testing::writeFile(junk, std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10));
    const std::string cut = path("cut.txt");
    morvane::testing::writeFile(cut, fileContents(saved("whole.txt", {})).substr(0, 300));
    const std::string missing = path("missing.txt");
    const std::string folder = dir.path().toStdString();
    // Nobody writes to the pipe. Should the command wait for a writer, one
    // comes and goes after ten seconds, so that the test fails, not hangs.
    const std::string pipe = path("pipe.txt");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::promise<void> finished;
    const auto rescue = std::async(std::launch::async, [&pipe, ran = finished.get_future()] {
        if (ran.wait_for(std::chrono::seconds(10)) == std::future_status::timeout)
            close(open(pipe.c_str(), O_RDWR));
    });

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"check", junk}, junk + " is not a position file"},
        {{"count", cut}, cut + " is not a position file"},
        {{"complete", junk, "-o", path("out.txt")}, junk + " is not a position file"},
        {{"count", missing}, "cannot open " + missing},
        {{"check", folder}, folder + " is a folder"},
        {{"check", pipe}, pipe + " is a pipe, not a position file"},
        {{"count", "/dev/zero"}, "/dev/zero is a device, not a position file"},
        {{}, "no command"},
        {{"solve", junk}, "unknown command solve"},
        {{"count"}, "count takes one position file"},
        {{"complete", cut}, "complete needs -o OUT"},
        {{"check", junk, "-x"}, "unknown option -x"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome run = solve(args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    finished.set_value();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("out.txt"))));

    const Outcome help = solve({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("morvane-solve complete FILE -o OUT"), std::string::npos);
}
