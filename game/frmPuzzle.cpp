#include "game/frmPuzzle.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "game/board.h"
#include "game/cell.h"
#include "game/helpcontrol.h"
#include "game/positiondisk.h"
#include "game/standardcolours.h"
#include "game/twips.h"

namespace morvane {

namespace {

// The window is 7400 x 6400 twips from frame to frame. What that leaves for
// the client area under a single-line frame, a caption and one menu row is
// fixed here, so every platform shows the whole layout the same way.
constexpr int kClientWidthTwips = 7305;
constexpr int kClientHeightTwips = 5745;

// The client area: white, with the board drawn straight onto it. The lines
// are drawn on every repaint, so a square dragged across the board never
// wipes them out, and activating the window has nothing left to draw.
class BoardSurface : public QWidget {
public:
    explicit BoardSurface(QWidget* parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        useStandardSurface(this);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        // A drag repaints a few small rectangles at a time; only the lines
        // that cross them are drawn, and nothing at all where none does.
        const QRect dirty = event->rect();
        std::optional<QPainter> painter;
        for (const Line& l : boardLines()) {
            const QLine line(twipsToPixels(l.x1), twipsToPixels(l.y1), twipsToPixels(l.x2), twipsToPixels(l.y2));
            if (!dirty.intersects(QRect(line.p1(), line.p2()).normalized()))
                continue;
            if (!painter) {
                painter.emplace(this);
                painter->setPen(QPen(palette().color(QPalette::WindowText), 0));
            }
            painter->drawLine(line);
        }
    }
};

QLabel* makeLabel(QWidget* parent, const QString& text, QRect geometry, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

// The labels keep their rectangles, but their font is the desktop's, and a
// desktop with a large one would cut their text short: there a group of
// labels is set just small enough for all of them to fit, in one size so
// that they still read as one column. Where the font fits, nothing changes.
void fitTextInside(std::initializer_list<QLabel*> labels)
{
    constexpr qreal kSmallestPointSize = 6;
    QFont font = (*labels.begin())->font();
    const auto fits = [&] {
        const QFontMetrics metrics(font);
        return std::all_of(labels.begin(), labels.end(), [&](const QLabel* label) {
            // What counts is where the ink of the text ends, from the top
            // left of the label, not the space the font leaves around it.
            const QRect room = label->contentsRect();
            const QRect ink = metrics.tightBoundingRect(label->text());
            return ink.right() + 1 <= room.width() && metrics.ascent() + ink.bottom() + 1 <= room.height();
        });
    };
    if (font.pointSizeF() <= 0 || fits())
        return;
    while (font.pointSizeF() - 0.5 >= kSmallestPointSize && !fits())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (QLabel* label : labels)
        label->setFont(font);
}

} // namespace

frmPuzzle::frmPuzzle(QWidget* parent)
    : QMainWindow(parent),
      CommonDialog_(makeFileDialog()),
      report_(messageBoxReporter()),
      exitProgram_([] { QApplication::exit(0); })
{
    buildControls();
    Form_Load();
}

frmPuzzle::~frmPuzzle() = default;

// The window as it is defined, before it loads: its frame and every control.
void frmPuzzle::buildControls()
{
    setWindowTitle(QStringLiteral("Puzzle !"));
    setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));
    // A fixed frame with no maximize button; File > Exit always ends the game.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    client_ = new BoardSurface(this);
    client_->setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    setCentralWidget(client_);

    auto* label1 = makeLabel(client_, QStringLiteral("Arrange shapes into the grid!"), twipsRect(120, 120, 3615, 375),
                             Qt::AlignHCenter);
    label1->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    QLabel* label2 = makeLabel(client_, QStringLiteral("MOVE : Left button + Movement"), twipsRect(120, 480, 3615, 255),
                               Qt::AlignHCenter);
    QLabel* label3 = makeLabel(client_, QStringLiteral("Rotate : Right button"), twipsRect(120, 720, 3615, 255),
                               Qt::AlignHCenter);
    QLabel* label4 = makeLabel(client_, QStringLiteral("Mirror : Shift or Ctrl + Right button"),
                               twipsRect(120, 960, 3615, 255), Qt::AlignHCenter);
    fitTextInside({label2, label3, label4});
    lblTime_ = makeLabel(client_, QStringLiteral("0"), twipsRect(6360, 360, 735, 255), Qt::AlignHCenter);
    lblTime_->setFrameStyle(QFrame::Box | QFrame::Plain);
    fitTextInside({lblTime_, makeLabel(client_, QStringLiteral("Seconds"), twipsRect(6360, 720, 735, 255), Qt::AlignLeft)});

    // The help control first, then the squares from 59 down to 0: each widget
    // made later lies above those made before it, and no move changes that.
    TOLMHelpControl1_ = new HelpControl(client_);
    TOLMHelpControl1_->setGeometry(twipsRect(1200, 1320, 1335, 375));
    for (int i = kSquareCount - 1; i >= 0; --i) {
        auto* square = new Cell(i, client_);
        connect(square, &Cell::mouseDown, this, &frmPuzzle::cell_MouseDown);
        connect(square, &Cell::mouseMove, this, &frmPuzzle::cell_MouseMove);
        connect(square, &Cell::mouseUp, this, &frmPuzzle::cell_MouseUp);
        cell_[static_cast<std::size_t>(i)] = square;
    }

    mnuFile_ = menuBar()->addMenu(QStringLiteral("File"));
    mnuNew_ = mnuFile_->addAction(QStringLiteral("New"));
    mnuExit_ = mnuFile_->addAction(QStringLiteral("Exit"));
    connect(mnuNew_, &QAction::triggered, this, &frmPuzzle::mnuNew_Click);
    connect(mnuExit_, &QAction::triggered, this, &frmPuzzle::mnuExit_Click);

    // Saving and loading a position have no menu entries; they answer the
    // desktop's usual keys for save and open.
    save_ = new QAction(tr("Save position"), this);
    save_->setShortcut(QKeySequence::Save);
    connect(save_, &QAction::triggered, this, &frmPuzzle::SaveGame);
    load_ = new QAction(tr("Load position"), this);
    load_->setShortcut(QKeySequence::Open);
    connect(load_, &QAction::triggered, this, &frmPuzzle::LoadGame);
    addActions({save_, load_});

    Timer1_.setInterval(1000);
    connect(&Timer1_, &QTimer::timeout, this, &frmPuzzle::Timer1_Timer);
}

void frmPuzzle::Form_Load()
{
    setFixedSize(sizeHint());
    move(0, 0);
    for (int i = 0; i < kSquareCount; ++i) {
        Cell* square = cell(i);
        const Rgb c = pieceColour(pieceOf(i));
        square->setColour(QColor(c.red, c.green, c.blue));
        square->resize(twipsToPixels(kSquareTwips), twipsToPixels(kSquareTwips));
    }
    NewGame();
    TOLMHelpControl1_->setDispatchProperty(HelpControl::kHelpContextProperty, QStringLiteral("25"));
    Timer1_.start();
}

Cell* frmPuzzle::cell(int index) const
{
    return cell_.at(static_cast<std::size_t>(index));
}

void frmPuzzle::NewGame()
{
    puzzle_.NewGame();
    showAll();
}

void frmPuzzle::showPiece(int piece)
{
    for (int i = firstSquareOf(piece); i < firstSquareOf(piece) + kSquaresPerPiece; ++i) {
        const SquarePosition at = puzzle_.cell(i);
        cell(i)->move(twipsToPixels(at.left), twipsToPixels(at.top));
    }
}

void frmPuzzle::showAll()
{
    for (int p = 0; p < kPieceCount; ++p)
        showPiece(p);
    lblTime_->setText(QString::fromStdString(puzzle_.caption()));
}

void frmPuzzle::react(MoveOutcome outcome, int index)
{
    if (outcome == MoveOutcome::Moved)
        showPiece(pieceOf(index));
    else if (outcome == MoveOutcome::Refused)
        QApplication::beep();  // too far out for the game's numbers: the piece stays as it was
}

void frmPuzzle::cell_MouseDown(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseDown(index, button, shift, x, y), index);
}

void frmPuzzle::cell_MouseMove(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseMove(index, button, shift, x, y), index);
}

void frmPuzzle::cell_MouseUp(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseUp(index, button, shift, x, y), index);
}

void frmPuzzle::Timer1_Timer()
{
    puzzle_.Timer1_Timer();
    lblTime_->setText(QString::fromStdString(puzzle_.caption()));
}

void frmPuzzle::mnuNew_Click()
{
    NewGame();
}

void frmPuzzle::mnuExit_Click()
{
    exitProgram_();
}

void frmPuzzle::setCommonDialog(std::unique_ptr<CommonDialog> dialog)
{
    CommonDialog_ = std::move(dialog);
}

void frmPuzzle::setMessageReporter(MessageReporter reporter)
{
    report_ = std::move(reporter);
}

void frmPuzzle::setProgramExit(std::function<void()> exit)
{
    exitProgram_ = std::move(exit);
}

void frmPuzzle::SaveGame()
{
    const QString name = CommonDialog_->ShowSave(this);
    if (name.isEmpty())
        return;
    if (!savePositionFile(name, puzzle_.cell(), puzzle_.caption()))
        report_(this, QStringLiteral("An error occured, can not save !"));
}

// Every value is read and checked before any square moves: a load applies a
// whole position or nothing.
void frmPuzzle::LoadGame()
{
    const QString name = CommonDialog_->ShowOpen(this);
    if (name.isEmpty())
        return;
    const std::optional<SavedPosition> position = loadPositionFile(name);
    if (!position) {
        report_(this, QStringLiteral("An error occured, can not read data file !"));
        return;
    }
    puzzle_.setPosition(position->cell, position->caption);
    showAll();
}

} // namespace morvane
