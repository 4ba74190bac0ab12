// Saving and loading a position through the game window on Linux: the keys,
// the names the file chooser gives, and the promise that nothing but a
// regular file is read and that a failed save leaves the old file as it was.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <future>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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
        window = std::make_unique<frmPuzzle>(answeringDesktop(&chosen, &messages));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        chosen = dir.filePath("position.txt");
    }

    // A piece dragged off the window, another turned, and 42 seconds.
    void play()
    {
        QWidget* square = cellOf(*window, 0);
        QTest::mousePress(square, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseMove(square, QPoint(-300, -200));
        QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(-300, -200));
        QTest::mouseClick(cellOf(*window, 26), Qt::RightButton);
        for (int t = 0; t < 42; ++t)
            partOf<QTimer>(*window, "Timer1")->timeout({});
    }
    // The desktop's usual keys for save and open, pressed where the focus
    // starts, on the Help button.
    void save() { QTest::keyClick(helpButton(), Qt::Key_S, Qt::ControlModifier); }
    void load() { QTest::keyClick(helpButton(), Qt::Key_O, Qt::ControlModifier); }
    QPushButton* helpButton() const { return partOf<QPushButton>(*window, "TOLMHelpControl1"); }
    QString counter() const { return partOf<QLabel>(*window, "lblTime")->text(); }

    QTemporaryDir dir;
    QString chosen;
    QStringList messages;
    std::unique_ptr<frmPuzzle> window;
};

} // namespace

TEST_F(Saving, OnlyARegularFileIsReadAndNothingElseKeepsTheGameWaiting)
{
    play();
    const std::vector<QPoint> played = shownSquares(*window);
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
        load();
        EXPECT_EQ(messages, QStringList{kReadError}) << path.toStdString();
        EXPECT_EQ(shownSquares(*window), played) << path.toStdString();
        EXPECT_EQ(counter(), "42");
    }
    close(listening);
}

TEST_F(Saving, AFileNamedInAnyScriptSavesAndLoads)
{
    const QString folder = dir.filePath(QStringLiteral("Łukasz"));
    ASSERT_TRUE(QDir().mkpath(folder));
    chosen = folder + QStringLiteral("/позиция 盤面.txt");
    play();
    const std::vector<QPoint> played = shownSquares(*window);
    save();
    ASSERT_TRUE(QFile::exists(chosen));
    partOf<QAction>(*window, "mnuNew")->trigger();
    ASSERT_NE(shownSquares(*window), played);
    load();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(shownSquares(*window), played);
    EXPECT_EQ(counter(), "42");
}

TEST_F(Saving, AFailedSaveLeavesTheOldFileAsItWas)
{
    save();
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
    save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(messages, QStringList{kSaveError});
    EXPECT_EQ(contents(chosen), old);

    messages.clear();
    chosen = dir.filePath("missing folder/position.txt");
    save();
    EXPECT_EQ(messages, QStringList{kSaveError});
    EXPECT_FALSE(QFile::exists(chosen));
}
