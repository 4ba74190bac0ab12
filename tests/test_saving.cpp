// Saving and loading a position through the game window: the keys, the file
// chooser and the failure messages, and the promise that a failure leaves
// both the old file and the game as they were.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <future>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "qt/square.h"
#include "qt/frmPuzzle.h"
#include "game/positiondisk.h"
#include "qt/twips.h"
#include "qtapp.h"
#include "support.h"

using namespace morvane;

namespace {

const QString kReadError = "An error occured, can not read data file !";
const QString kSaveError = "An error occured, can not save !";

QByteArray contents(const QString& path)
{
    return QByteArray::fromStdString(morvane::testing::fileContents(filePath(path)));
}

class Saving : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<frmPuzzle>();
        window->setCommonDialog(std::make_unique<ChosenFile>(&chosen));
        window->setMessageReporter([this](QWidget*, const QString& text) { messages << text; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        chosen = dir.filePath("position.txt");
    }

    void play()
    {
        window->cell_MouseDown(0, 1, 0, 10, 10);
        window->cell_MouseMove(0, 1, 0, -5000, -3000);  // off the window, up and left
        window->cell_MouseUp(0, 1, 0, 0, 0);
        window->cell_MouseDown(26, 2, 0, 0, 0);
        window->cell_MouseDown(44, 2, 1, 0, 0);
        window->cell_MouseDown(44, 1, 0, 0, 0);
        window->cell_MouseMove(44, 1, 0, 4000, -2100);
        window->cell_MouseUp(44, 1, 0, 0, 0);
        for (int t = 0; t < 42; ++t)
            window->Timer1_Timer();
    }

    void expectWidgetsFollowModel() const
    {
        for (int i = 0; i < kSquareCount; ++i) {
            const SquarePosition s = window->puzzle().cell(i);
            ASSERT_EQ(window->cell(i)->pos(), QPoint(twipsToPixels(s.left), twipsToPixels(s.top))) << i;
        }
    }

    QTemporaryDir dir;
    QString chosen;
    QStringList messages;
    std::unique_ptr<frmPuzzle> window;
};

} // namespace

TEST_F(Saving, SaveNewLoadPutsEverySquareAndTheCounterBack)
{
    play();
    const Positions played = window->puzzle().cell();
    ASSERT_LT(played[0].left, 0.0f);
    window->SaveGame();

    window->mnuNew()->trigger();
    ASSERT_NE(window->puzzle().cell(), played);
    window->LoadGame();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(window->puzzle().cell(), played);
    EXPECT_EQ(window->lblTime()->text(), "42");
    EXPECT_EQ(window->puzzle().tables(), ShapeTable());  // a load leaves New's shapes alone
    expectWidgetsFollowModel();

    const QByteArray file = contents(chosen);
    EXPECT_EQ(file.count("\r\n"), 61);
    EXPECT_TRUE(file.endsWith("\r\n42\r\n"));
}

TEST_F(Saving, LoadingLeavesTheShapeTablesAndNewRestoresTheStart)
{
    window->SaveGame();  // the starting position
    EXPECT_TRUE(contents(chosen).endsWith(" \r\n0\r\n"));
    play();
    const ShapeTable playedTables = window->puzzle().tables();
    ASSERT_NE(playedTables, ShapeTable());
    window->LoadGame();
    EXPECT_EQ(window->puzzle().cell(), Puzzle().cell());
    EXPECT_EQ(window->puzzle().tables(), playedTables);
    EXPECT_EQ(window->lblTime()->text(), "0");
    window->mnuNew()->trigger();
    EXPECT_EQ(window->puzzle().tables(), ShapeTable());
    EXPECT_EQ(window->puzzle().cell(), Puzzle().cell());
}

TEST_F(Saving, CancellingTheChooserDoesNothing)
{
    play();
    const Positions played = window->puzzle().cell();
    chosen.clear();
    window->SaveGame();
    window->LoadGame();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(window->puzzle().cell(), played);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(Saving, ABadFileChangesNothingAndSaysSo)
{
    play();
    window->SaveGame();
    const QByteArray good = contents(chosen);
    const QList<QByteArray> badFiles = {
        QByteArray(),
        good.left(good.size() / 2),                               // squares 30 and on are missing
        QByteArray(good).replace(0, good.indexOf("\r\n"), " 2400  40000 "),  // a Left beyond 16 bits
        QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0", 16),
    };
    window->mnuNew()->trigger();
    window->Timer1_Timer();
    for (const QByteArray& bad : badFiles) {
        morvane::testing::writeFile(filePath(chosen), bad.toStdString());
        window->LoadGame();
        EXPECT_EQ(window->puzzle().cell(), Puzzle().cell());
        EXPECT_EQ(window->lblTime()->text(), "1");
    }
    EXPECT_EQ(messages, QStringList(badFiles.size(), kReadError));

    messages.clear();
    chosen = dir.filePath("no such file.txt");
    window->LoadGame();
    chosen = dir.path();  // a folder
    window->LoadGame();
    EXPECT_EQ(messages, QStringList(2, kReadError));
}

TEST_F(Saving, OnlyARegularFileIsReadAndNothingElseKeepsTheGameWaiting)
{
    play();
    const Positions played = window->puzzle().cell();
    const QString pipe = dir.filePath("pipe.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString socketPath = dir.filePath("socket.txt");
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(static_cast<std::size_t>(socketName.size()), sizeof address.sun_path);
    std::copy(socketName.begin(), socketName.end(), address.sun_path);
    ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    // Nobody ever writes to the pipe. A loader that waited for a writer is
    // let go by opening the other end, so that the test fails, not hangs.
    auto loading = std::async(std::launch::async, [&] { return loadPositionFile(filePath(pipe)).has_value(); });
    if (loading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        close(open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK));
        loading.wait();
        close(listening);
        FAIL() << "loading a pipe waits for someone to write to it";
    }
    EXPECT_FALSE(loading.get());

    for (const QString& path : {pipe, socketPath, dir.path(), QStringLiteral("/dev/zero")}) {
        messages.clear();
        chosen = path;
        window->LoadGame();
        EXPECT_EQ(messages, QStringList{kReadError}) << path.toStdString();
        EXPECT_EQ(window->puzzle().cell(), played) << path.toStdString();
        EXPECT_EQ(window->lblTime()->text(), "42");
    }
    close(listening);
}

TEST_F(Saving, AFileNamedInAnyScriptSavesAndLoads)
{
    const QString folder = dir.filePath(QStringLiteral("Łukasz"));
    ASSERT_TRUE(QDir().mkpath(folder));
    chosen = folder + QStringLiteral("/позиция 盤面.txt");
    play();
    const Positions played = window->puzzle().cell();
    window->SaveGame();
    ASSERT_TRUE(QFile::exists(chosen));
    window->mnuNew()->trigger();
    window->LoadGame();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(window->puzzle().cell(), played);
    EXPECT_EQ(window->lblTime()->text(), "42");
}

TEST_F(Saving, AFailedSaveLeavesTheOldFileAsItWas)
{
    window->SaveGame();
    const QByteArray old = contents(chosen);
    ASSERT_EQ(old.count("\r\n"), 61);
    play();

    // A file-size limit makes the write fail half-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 300;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    window->SaveGame();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(messages, QStringList{kSaveError});
    EXPECT_EQ(contents(chosen), old);

    messages.clear();
    chosen = dir.filePath("missing folder/position.txt");
    window->SaveGame();
    EXPECT_EQ(messages, QStringList{kSaveError});
    EXPECT_FALSE(QFile::exists(chosen));
}

TEST_F(Saving, TheDesktopsSaveAndOpenKeysReachTheOperations)
{
    EXPECT_EQ(window->saveAction()->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(window->loadAction()->shortcut(), QKeySequence(QKeySequence::Open));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    play();
    const Positions played = window->puzzle().cell();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(QFile::exists(chosen));
    window->mnuNew()->trigger();
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(window->puzzle().cell(), played);
    EXPECT_TRUE(messages.isEmpty());
}
