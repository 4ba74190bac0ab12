#include "qt/frmPuzzle.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <optional>

#include "game/board.h"
#include "game/diskfile.h"
#include "game/forms.h"
#include "game/positiondisk.h"
#include "qt/controls.h"
#include "qt/helppage.h"
#include "qt/square.h"
#include "qt/standardcolours.h"
#include "qt/twips.h"

namespace morvane {

namespace {

// The client area: the form's own colour, with the board drawn straight onto
// it. The lines are drawn on every repaint, so a square dragged across the
// board never wipes them out, and activating the window has nothing left to
// draw.
class BoardSurface : public QWidget {
public:
    explicit BoardSurface(QWidget* parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        useStandardSurface(this, forms::frmPuzzle.background);
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

} // namespace

class frmPuzzle::FrontEnd final : public PuzzleFrontEnd {
public:
    explicit FrontEnd(frmPuzzle& window) : window_(window) {}

    void placeSquare(int index, SquarePosition at) override
    {
        window_.cell_.at(static_cast<std::size_t>(index))->move(twipsToPixels(at.left), twipsToPixels(at.top));
    }
    void showCounter(std::string_view text) override { window_.lblTime_->setText(qtText(text)); }
    void beep() override { QApplication::beep(); }
    // Qt itself keeps sending a pointer's events to the widget it pressed
    // until the last button is up.
    void capturePointer(int) override {}
    void releasePointer(int) override {}
    void keepInChosenFile(std::string bytes) override
    {
        const QString name = window_.desktop_.chooseFileToSave(&window_);
        if (name.isEmpty())
            window_.controller_.fileKept(FileOutcome::Cancelled);
        else
            window_.controller_.fileKept(replaceFile(filePath(name), bytes) ? FileOutcome::Failed : FileOutcome::Done);
    }
    void readChosenFile() override
    {
        const QString name = window_.desktop_.chooseFileToOpen(&window_);
        if (name.isEmpty()) {
            window_.controller_.fileRead(FileOutcome::Cancelled);
            return;
        }
        const std::optional<std::string> bytes = readPositionBytes(filePath(name));
        window_.controller_.fileRead(bytes ? FileOutcome::Done : FileOutcome::Failed, bytes.value_or(""));
    }
    void focusPiece(int piece) override { window_.pieceSquare(piece)->setFocus(Qt::OtherFocusReason); }
    void markSquare(int index, int edges) override { window_.cell_.at(static_cast<std::size_t>(index))->setMark(edges); }
    void namePiece(int piece, std::string_view name) override
    {
        const auto first = static_cast<std::size_t>(firstSquareOf(piece));
        for (std::size_t i = first; i < first + kSquaresPerPiece; ++i)
            window_.cell_.at(i)->setAccessibleName(qtText(name));
    }
    // This Qt has no announcements of its own: a screen reader hears a new
    // name of the object with the focus, so the piece it concerns tells it
    // again when it has the focus, even where its name has not changed.
    void announce(std::string_view text) override
    {
        QWidget* focused = QApplication::focusWidget();
        if (focused && focused->accessibleName() == qtText(text)) {
            QAccessibleEvent told(focused, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&told);
        }
    }
    // Every pointer is reported as the mouse (controls.cpp): a finger's hold
    // and the handles are never asked of this window.
    void showHold(int, bool) override {}
    void startHoldTimer(int, int) override {}
    void showHandles(bool, float, float, float, float) override {}
    void reportMessage(std::string_view text) override { window_.desktop_.reportMessage(&window_, qtText(text)); }
    void showHelpPage(const HelpPage& page) override { morvane::showHelpPage(window_.helpPage_, &window_, page); }
    void endProgram() override { window_.desktop_.endProgram(); }

private:
    frmPuzzle& window_;
};

frmPuzzle::frmPuzzle(Desktop desktop)
    : desktop_(std::move(desktop)), frontEnd_(std::make_unique<FrontEnd>(*this)), controller_(*frontEnd_)
{
    buildControls();
    controller_.Form_Load();
    Timer1_->start();
}

frmPuzzle::~frmPuzzle() = default;

// The window as it is defined, before it loads: its frame and every control.
void frmPuzzle::buildControls()
{
    setWindowTitle(qtText(forms::frmPuzzle.caption));
    setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));
    setWindowFlags(windowFlagsOf(forms::frmPuzzle.frame));

    client_ = new BoardSurface(this);
    client_->setAccessibleName(qtText(forms::kBoardName));
    const forms::TwipsSize client = forms::clientSize(forms::frmPuzzle);
    client_->setFixedSize(twipsToPixels(client.width), twipsToPixels(client.height));
    setCentralWidget(client_);

    LabelsOf labels;
    for (const forms::Control* control : forms::kPuzzleControls) {
        if (control->kind == forms::ControlKind::Label)
            labels[control] = makeLabel(client_, *control);
    }
    lblTime_ = labels.at(&forms::lblTime);
    lblTime_->setObjectName(QStringLiteral("lblTime"));
    fitTextInside(forms::kInstructionLabels, labels);
    fitTextInside(forms::kCounterLabels, labels);

    // The help control first, then the squares from 59 down to 0: each widget
    // made later lies above those made before it, and no move changes that.
    // A press anywhere on the client area, a square's included, goes to the
    // controller, which finds the square.
    client_->installEventFilter(this);
    QPushButton* help = makeButton(client_, forms::TOLMHelpControl1);
    help->setObjectName(QStringLiteral("TOLMHelpControl1"));
    help->setToolTip(qtText(helpTopicTitle(kHowToPlayTopic)));
    connect(help, &QPushButton::clicked, this, [this] { controller_.TOLMHelpControl1_Click(); });
    describeSquaresToAssistiveTechnology();
    for (int i = kSquareCount - 1; i >= 0; --i) {
        auto* square = new Square(client_);
        square->setObjectName(QStringLiteral("cell%1").arg(i));
        square->setColour(colourOf(pieceColour(pieceOf(i))));
        square->resize(twipsToPixels(kSquareTwips), twipsToPixels(kSquareTwips));
        square->installEventFilter(this);
        cell_[static_cast<std::size_t>(i)] = square;
    }
    // After the Help button, the pieces take the focus in their order, each
    // at its square 0; a click gives it only when the controller says.
    QWidget* before = help;
    for (int p = 0; p < kPieceCount; ++p) {
        pieceSquare(p)->setFocusPolicy(Qt::TabFocus);
        setTabOrder(before, pieceSquare(p));
        before = pieceSquare(p);
    }

    menuBar()->setAccessibleName(qtText(forms::kMenuBarName));
    QMenu* file = menuBar()->addMenu(qtText(forms::mnuFile));
    file->setAccessibleName(qtText(forms::mnuFile));
    QAction* mnuNew = file->addAction(qtText(forms::mnuNew));
    QAction* mnuExit = file->addAction(qtText(forms::mnuExit));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuNew, &QAction::triggered, this, [this] { controller_.mnuNew_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { controller_.mnuExit_Click(); });

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(forms::kTimer1IntervalMs);
    connect(Timer1_, &QTimer::timeout, this, [this] { controller_.Timer1_Timer(); });

    setFixedSize(sizeHint());
    placeOnScreen(this, forms::frmPuzzle.placement);
}

void frmPuzzle::closeEvent(QCloseEvent* event)
{
    event->accept();
    controller_.Form_Unload();
}

// Keys that no control took for itself.
void frmPuzzle::keyPressEvent(QKeyEvent* event)
{
    if (!controller_.key(keyEventOf(*event)))
        QMainWindow::keyPressEvent(event);
}

void frmPuzzle::keyReleaseEvent(QKeyEvent* event)
{
    if (!controller_.key(keyEventOf(*event)))
        QMainWindow::keyReleaseEvent(event);
}

QWidget* frmPuzzle::pieceSquare(int piece) const
{
    return cell_.at(static_cast<std::size_t>(firstSquareOf(piece)));
}

bool frmPuzzle::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (int p = 0; p < kPieceCount; ++p) {
            if (watched == pieceSquare(p))
                controller_.pieceFocused(event->type() == QEvent::FocusIn ? std::optional(p) : std::nullopt);
        }
    } else if (watched->isWidgetType()) {
        if (const std::optional<PointerEvent> pointer =
                pointerEventOf(*event, *static_cast<QWidget*>(watched), *client_)) {
            controller_.pointer(*pointer);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace morvane
