#include "qt/frmPuzzle.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "game/board.h"
#include "game/forms.h"
#include "game/positiondisk.h"
#include "qt/square.h"
#include "qt/helpcontrol.h"
#include "qt/controls.h"
#include "qt/standardcolours.h"
#include "qt/twips.h"

namespace morvane {

namespace {

// The window is 7400 x 6400 twips from frame to frame. What that leaves for
// the client area under a single-line frame, a caption and one menu row is
// fixed here, so every platform shows the whole layout the same way.
constexpr int kClientWidthTwips = forms::frmPuzzle.width - 95;
constexpr int kClientHeightTwips = forms::frmPuzzle.height - 655;

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

// The labels keep their rectangles, but their font is the desktop's, and a
// desktop with a large one would cut their text short: there a group of
// labels is set just small enough for all of them to fit, in one size so
// that they still read as one column. Where the font fits, nothing changes.
void fitTextInside(const std::vector<QLabel*>& labels)
{
    constexpr qreal kSmallestPointSize = 6;
    QFont font = labels.front()->font();
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
    setWindowTitle(qtText(forms::frmPuzzle.caption));
    setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));
    // A fixed frame with no maximize button; File > Exit always ends the game.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    client_ = new BoardSurface(this);
    client_->setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    setCentralWidget(client_);

    std::map<std::string_view, QLabel*> labels;
    for (const forms::Control* control : forms::kPuzzleControls) {
        if (control->kind == forms::ControlKind::Label)
            labels[control->name] = makeLabel(client_, *control);
    }
    const auto group = [&](std::span<const forms::Control* const> controls) {
        std::vector<QLabel*> members;
        for (const forms::Control* control : controls)
            members.push_back(labels.at(control->name));
        return members;
    };
    fitTextInside(group(forms::kInstructionLabels));
    fitTextInside(group(forms::kCounterLabels));
    lblTime_ = labels.at(forms::lblTime.name);

    // The help control first, then the squares from 59 down to 0: each widget
    // made later lies above those made before it, and no move changes that.
    TOLMHelpControl1_ = new HelpControl(client_);
    TOLMHelpControl1_->setGeometry(pixelRect(forms::TOLMHelpControl1.rect));
    for (int i = kSquareCount - 1; i >= 0; --i) {
        auto* square = new Square(i, client_);
        connect(square, &Square::mouseDown, this, &frmPuzzle::cell_MouseDown);
        connect(square, &Square::mouseMove, this, &frmPuzzle::cell_MouseMove);
        connect(square, &Square::mouseUp, this, &frmPuzzle::cell_MouseUp);
        cell_[static_cast<std::size_t>(i)] = square;
    }

    mnuFile_ = menuBar()->addMenu(qtText(forms::mnuFile.caption));
    mnuNew_ = mnuFile_->addAction(qtText(forms::kFileMenu[0].caption));
    mnuExit_ = mnuFile_->addAction(qtText(forms::kFileMenu[1].caption));
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

    Timer1_.setInterval(forms::kTimer1IntervalMs);
    connect(&Timer1_, &QTimer::timeout, this, &frmPuzzle::Timer1_Timer);
}

void frmPuzzle::Form_Load()
{
    setFixedSize(sizeHint());
    move(0, 0);
    for (int i = 0; i < kSquareCount; ++i) {
        Square* square = cell(i);
        const Rgb c = pieceColour(pieceOf(i));
        square->setColour(QColor(c.red, c.green, c.blue));
        square->resize(twipsToPixels(kSquareTwips), twipsToPixels(kSquareTwips));
    }
    NewGame();
    TOLMHelpControl1_->setDispatchProperty(forms::kHelpContextProperty, qtText(forms::kHelpContextAtLoad));
    Timer1_.start();
}

Square* frmPuzzle::cell(int index) const
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
    if (!savePositionFile(filePath(name), puzzle_.cell(), puzzle_.caption()))
        report_(this, qtText(forms::kSaveFailed));
}

// Every value is read and checked before any square moves: a load applies a
// whole position or nothing.
void frmPuzzle::LoadGame()
{
    const QString name = CommonDialog_->ShowOpen(this);
    if (name.isEmpty())
        return;
    const std::optional<SavedPosition> position = loadPositionFile(filePath(name));
    if (!position) {
        report_(this, qtText(forms::kLoadFailed));
        return;
    }
    puzzle_.setPosition(position->cell, position->caption);
    showAll();
}

} // namespace morvane
