#include "qt/frmPuzzle.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <optional>

#include "game/board.h"
#include "game/forms.h"
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
        window_.cell(index)->move(twipsToPixels(at.left), twipsToPixels(at.top));
    }
    void showCounter(std::string_view text) override { window_.lblTime_->setText(qtText(text)); }
    void beep() override { QApplication::beep(); }
    std::filesystem::path chooseFileToOpen() override
    {
        return filePath(window_.desktop_.chooseFileToOpen(&window_));
    }
    std::filesystem::path chooseFileToSave() override
    {
        return filePath(window_.desktop_.chooseFileToSave(&window_));
    }
    void reportMessage(std::string_view text) override { window_.desktop_.report(&window_, qtText(text)); }
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
    Timer1_.start();
}

frmPuzzle::~frmPuzzle() = default;

// The window as it is defined, before it loads: its frame and every control.
void frmPuzzle::buildControls()
{
    setWindowTitle(qtText(forms::frmPuzzle.caption));
    setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));
    setWindowFlags(windowFlagsOf(forms::frmPuzzle.frame));

    client_ = new BoardSurface(this);
    const forms::TwipsSize client = forms::clientSize(forms::frmPuzzle);
    client_->setFixedSize(twipsToPixels(client.width), twipsToPixels(client.height));
    setCentralWidget(client_);

    LabelsOf labels;
    for (const forms::Control* control : forms::kPuzzleControls) {
        if (control->kind == forms::ControlKind::Label)
            labels[control] = makeLabel(client_, *control);
    }
    lblTime_ = labels.at(&forms::lblTime);
    fitTextInside(forms::kInstructionLabels, labels);
    fitTextInside(forms::kCounterLabels, labels);

    // The help control first, then the squares from 59 down to 0: each widget
    // made later lies above those made before it, and no move changes that.
    TOLMHelpControl1_ = makeButton(client_, forms::TOLMHelpControl1);
    TOLMHelpControl1_->setToolTip(qtText(helpTopicTitle(kHowToPlayTopic)));
    connect(TOLMHelpControl1_, &QPushButton::clicked, this, [this] { controller_.TOLMHelpControl1_Click(); });
    for (int i = kSquareCount - 1; i >= 0; --i) {
        auto* square = new Square(i, client_);
        square->setColour(qtColour(pieceColour(pieceOf(i))));
        square->resize(twipsToPixels(kSquareTwips), twipsToPixels(kSquareTwips));
        connect(square, &Square::mouseDown, this,
                [this](int index, int button, int shift, float x, float y) {
                    controller_.cell_MouseDown(index, button, shift, x, y);
                });
        connect(square, &Square::mouseMove, this,
                [this](int index, int button, int shift, float x, float y) {
                    controller_.cell_MouseMove(index, button, shift, x, y);
                });
        connect(square, &Square::mouseUp, this, [this](int index, int button, int shift, float x, float y) {
            controller_.cell_MouseUp(index, button, shift, x, y);
        });
        cell_[static_cast<std::size_t>(i)] = square;
    }

    QMenu* file = menuBar()->addMenu(qtText(forms::mnuFile));
    mnuNew_ = file->addAction(qtText(forms::mnuNew));
    mnuExit_ = file->addAction(qtText(forms::mnuExit));
    connect(mnuNew_, &QAction::triggered, this, [this] { controller_.mnuNew_Click(); });
    connect(mnuExit_, &QAction::triggered, this, [this] { controller_.mnuExit_Click(); });

    // Saving and loading a position have no menu entries; they answer the
    // desktop's usual keys for save and open.
    save_ = new QAction(tr("Save position"), this);
    save_->setShortcut(QKeySequence::Save);
    connect(save_, &QAction::triggered, this, [this] { controller_.SaveGame(); });
    load_ = new QAction(tr("Load position"), this);
    load_->setShortcut(QKeySequence::Open);
    connect(load_, &QAction::triggered, this, [this] { controller_.LoadGame(); });
    addActions({save_, load_});

    Timer1_.setInterval(forms::kTimer1IntervalMs);
    connect(&Timer1_, &QTimer::timeout, this, [this] { controller_.Timer1_Timer(); });

    setFixedSize(sizeHint());
    placeOnScreen(this, forms::frmPuzzle.placement);
}

Square* frmPuzzle::cell(int index) const
{
    return cell_.at(static_cast<std::size_t>(index));
}

void frmPuzzle::closeEvent(QCloseEvent* event)
{
    event->accept();
    controller_.Form_Unload();
}

} // namespace morvane
