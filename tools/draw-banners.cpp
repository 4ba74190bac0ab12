// Draws the splash window's two banners and the program icon, and writes them
// into the resources folder (or the folder named on the command line):
//
//   banner-default.bmp  the game's own banner, 488 x 59
//   banner-partner.bmp  the partner site's banner, 255 x 77
//   morvane.ico         the 16 x 16, 16-colour window and program icon
//   morvane-<n>.png     the same icon for the desktop's icon theme, n x n
//                       pixels for every n in kThemeIconSizes
//   morvane.svg         the same icon for the theme's scalable folder
//   morvane-maskable-512.png  the same piece on a full square of white, for
//                       the installed page, whose launcher may cut it round
//   installer-side.bmp  the Windows installer's welcome and finish picture,
//                       164 x 314
//   installer-header.bmp  the installer's header picture, 150 x 57
//
// The output is committed, so everything here is drawn from fixed numbers:
// running the tool again on the same machine gives the same bytes.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <climits>
#include <cstdio>

#include "game/pieces.h"

namespace {

// Everything is drawn in the game's own 16 colours.
QColor qbColor(int entry)
{
    const morvane::Rgb c = morvane::kQBColor.at(static_cast<std::size_t>(entry));
    return {c.red, c.green, c.blue};
}

const QColor kNavy = qbColor(1);
const QColor kGreen = qbColor(2);
const QColor kTeal = qbColor(3);
const QColor kMaroon = qbColor(4);
const QColor kPurple = qbColor(5);
const QColor kOlive = qbColor(6);
const QColor kGrey = qbColor(8);
const QColor kBlue = qbColor(9);
const QColor kAqua = qbColor(11);
const QColor kWhite = qbColor(15);

// The same 16 colours in the order Windows expects of a 4-bit icon, which
// numbers red as 1 and blue as 4 where the game's palette does the opposite;
// index 0 (black) doubles as the colour under the transparent pixels.
std::array<QRgb, 16> iconPalette()
{
    std::array<QRgb, 16> palette{};
    for (int i = 0; i < 16; ++i) {
        const int entry = (i & 0b1010) | ((i & 1) << 2) | ((i >> 2) & 1);
        palette[static_cast<std::size_t>(i)] = qbColor(entry).rgb();
    }
    return palette;
}

const std::array<QRgb, 16> kIconPalette = iconPalette();

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(QByteArray *out) : stream_(out, QIODevice::WriteOnly)
    {
        stream_.setByteOrder(QDataStream::LittleEndian);
    }
    void u8(quint8 v) { stream_ << v; }
    void u16(quint16 v) { stream_ << v; }
    void u32(quint32 v) { stream_ << v; }
    void i32(qint32 v) { stream_ << v; }

private:
    QDataStream stream_;
};

constexpr int paddedRowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// A 24-bit, uncompressed, bottom-up BMP with the plain 40-byte info header.
// The splash window loads these as they are, so the header is written by hand
// rather than left to whatever an image library prefers.
QByteArray bmpBytes(const QImage &image)
{
    constexpr quint32 kHeaderBytes = 14 + 40;
    const int rowBytes = paddedRowBytes(image.width(), 24);
    const auto imageBytes = static_cast<quint32>(rowBytes * image.height());

    QByteArray out;
    LittleEndianWriter w(&out);
    w.u8('B');
    w.u8('M');
    w.u32(kHeaderBytes + imageBytes);
    w.u32(0);  // two reserved words
    w.u32(kHeaderBytes);

    w.u32(40);
    w.i32(image.width());
    w.i32(image.height());  // positive: the first row stored is the bottom one
    w.u16(1);
    w.u16(24);
    w.u32(0);  // BI_RGB
    w.u32(imageBytes);
    w.i32(2835);  // 72 dots per inch
    w.i32(2835);
    w.u32(0);
    w.u32(0);

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            w.u8(static_cast<quint8>(qBlue(p)));
            w.u8(static_cast<quint8>(qGreen(p)));
            w.u8(static_cast<quint8>(qRed(p)));
        }
        for (int pad = image.width() * 3; pad < rowBytes; ++pad)
            w.u8(0);
    }
    return out;
}

int nearestPaletteIndex(QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < static_cast<int>(kIconPalette.size()); ++i) {
        const QRgb p = kIconPalette[static_cast<std::size_t>(i)];
        const int dr = qRed(p) - qRed(colour);
        const int dg = qGreen(p) - qGreen(colour);
        const int db = qBlue(p) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// A one-image icon file holding a 4-bit DIB: the info header (whose height
// counts the colour bitmap and the mask together), the 16-entry colour table,
// the colour bitmap, then the 1-bit mask in which 1 means transparent.
// Pixels with less than half alpha become transparent.
QByteArray icoBytes(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    const int colourRowBytes = paddedRowBytes(w, 4);
    const int maskRowBytes = paddedRowBytes(w, 1);
    const auto bitmapBytes = static_cast<quint32>((colourRowBytes + maskRowBytes) * h);
    const auto dibBytes = static_cast<quint32>(40 + 4 * kIconPalette.size()) + bitmapBytes;
    constexpr quint32 kDirectoryBytes = 6 + 16;

    QByteArray out;
    LittleEndianWriter wr(&out);
    wr.u16(0);
    wr.u16(1);  // an icon, not a cursor
    wr.u16(1);  // one image

    wr.u8(static_cast<quint8>(w));
    wr.u8(static_cast<quint8>(h));
    wr.u8(16);
    wr.u8(0);
    wr.u16(1);
    wr.u16(4);
    wr.u32(dibBytes);
    wr.u32(kDirectoryBytes);

    wr.u32(40);
    wr.i32(w);
    wr.i32(2 * h);
    wr.u16(1);
    wr.u16(4);
    wr.u32(0);
    wr.u32(bitmapBytes);
    wr.i32(0);
    wr.i32(0);
    wr.u32(0);
    wr.u32(0);
    for (const QRgb p : kIconPalette) {
        wr.u8(static_cast<quint8>(qBlue(p)));
        wr.u8(static_cast<quint8>(qGreen(p)));
        wr.u8(static_cast<quint8>(qRed(p)));
        wr.u8(0);
    }

    const auto opaque = [&](int x, int y) { return qAlpha(image.pixel(x, y)) >= 128; };
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(colourRowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            const int index = opaque(x, y) ? nearestPaletteIndex(image.pixel(x, y)) : 0;
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        for (const char byte : row)
            wr.u8(static_cast<quint8>(byte));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            if (!opaque(x, y))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        for (const char byte : row)
            wr.u8(static_cast<quint8>(byte));
    }
    return out;
}

QFont bannerFont(int pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// One cell of a piece, drawn the way the board draws it: a flat face with a
// light edge on the top and left and a dark edge on the bottom and right.
void drawCell(QPainter &p, const QRect &cell, const QColor &face)
{
    p.fillRect(cell, face);
    const QColor light = QColor::fromRgbF(0.55f + 0.45f * face.redF(),
                                          0.55f + 0.45f * face.greenF(),
                                          0.55f + 0.45f * face.blueF());
    const QColor dark = face.darker(170);
    p.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), light);
    p.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), light);
    p.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), dark);
    p.fillRect(QRect(cell.right(), cell.top() + 1, 1, cell.height() - 1), dark);
}

struct Piece {
    QColor colour;
    std::array<QPoint, 5> cells;
};

// A six-by-five box of six pieces, one of which (the maroon one, the piece
// on the icon) has been lifted out:
//
//   F F P P P N
//   Y F F P P N
//   Y F Z Z N N
//   Y Y Z U N U
//   Y Z Z U U U
const std::array<Piece, 5> kBoxedPieces{{
    {kAqua, {{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {1, 2}}}},
    {kGrey, {{{2, 0}, {3, 0}, {4, 0}, {3, 1}, {4, 1}}}},
    {kBlue, {{{5, 0}, {5, 1}, {5, 2}, {4, 2}, {4, 3}}}},
    {kPurple, {{{0, 1}, {0, 2}, {0, 3}, {1, 3}, {0, 4}}}},
    {kGreen, {{{3, 3}, {5, 3}, {3, 4}, {4, 4}, {5, 4}}}},
}};
const Piece kLiftedPiece{kMaroon, {{{2, 2}, {3, 2}, {2, 3}, {1, 4}, {2, 4}}}};

// The lattice with the boxed pieces at box, each cell `cell` pixels, and the
// lifted piece hovering beside it, a row higher, over a soft shadow. The
// lifted piece's leftmost cells are in column 1, hence one cell less.
void drawMotif(QPainter &p, QPoint box, int cell, int liftGap)
{
    constexpr int kColumns = 6;
    constexpr int kRows = 5;
    // The faint lattice the pieces sit on; it shows through where the
    // lifted piece belongs.
    const QColor lattice(0xE2, 0xE6, 0xEC);
    for (int c = 0; c <= kColumns; ++c)
        p.fillRect(box.x() + c * cell - 1, box.y() - 1, 1, kRows * cell + 1, lattice);
    for (int r = 0; r <= kRows; ++r)
        p.fillRect(box.x() - 1, box.y() + r * cell - 1, kColumns * cell + 1, 1, lattice);

    const auto cellRect = [&](QPoint origin, QPoint square) {
        return QRect(origin.x() + square.x() * cell, origin.y() + square.y() * cell, cell - 1, cell - 1);
    };
    for (const Piece &piece : kBoxedPieces) {
        for (const QPoint square : piece.cells)
            drawCell(p, cellRect(box, square), piece.colour);
    }

    const QPoint lifted = box + QPoint((kColumns - 1) * cell + liftGap, -cell);
    p.setRenderHint(QPainter::Antialiasing);
    for (int spread = 3; spread >= 1; --spread) {
        QPainterPath shadow;
        for (const QPoint square : kLiftedPiece.cells) {
            const QRect r = cellRect(lifted + QPoint(2, 3), square);
            shadow.addRoundedRect(QRectF(r).adjusted(-spread, -spread, spread, spread), spread,
                                  spread);
        }
        p.fillPath(shadow.simplified(), QColor(0x20, 0x28, 0x40, 14));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QPoint square : kLiftedPiece.cells)
        drawCell(p, cellRect(lifted, square), kLiftedPiece.colour);
}

// The width the motif takes from the box's left edge to the lifted piece's right.
constexpr int motifWidth(int cell, int liftGap)
{
    return (6 + 3) * cell + liftGap;
}

// The motif centred across a picture `width` pixels wide, its lattice's top
// at `top`.
void drawMotifCentred(QPainter &p, int width, int top, int cell, int liftGap)
{
    drawMotif(p, QPoint((width - motifWidth(cell, liftGap)) / 2, top), cell, liftGap);
}

// A rule in the colours of the box's pieces, `width` pixels long.
void drawColourRule(QPainter &p, int left, int top, int width)
{
    const std::array<QColor, 6> bars{kAqua, kGrey, kBlue, kPurple, kGreen, kMaroon};
    const int barPitch = (width + 2) / static_cast<int>(bars.size());
    p.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t i = 0; i < bars.size(); ++i)
        p.fillRect(left + 1 + static_cast<int>(i) * barPitch, top, barPitch - 2, 3, bars[i]);
}

const QColor kTaglineGrey(0x55, 0x5E, 0x6B);

QImage drawDefaultBanner()
{
    constexpr int kCell = 9;
    constexpr int kRows = 5;
    constexpr int kLiftGap = 9;       // between the box and the lifted piece
    constexpr int kTitleGap = 18;     // between the lifted piece and the name
    constexpr int kTaglineGap = 14;
    constexpr int kBaseline = 38;
    const QString name = QStringLiteral("Morvane");
    const QString tagline = QStringLiteral("a pentomino puzzle");
    const QFont nameFont = bannerFont(34, QFont::Bold);
    const QFont taglineFont = bannerFont(13, QFont::Normal);

    // The whole line, box to tagline, is centred across the banner.
    const int nameWidth = QFontMetrics(nameFont).horizontalAdvance(name);
    const int taglineWidth = QFontMetrics(taglineFont).horizontalAdvance(tagline);
    const int lineWidth = motifWidth(kCell, kLiftGap) + kTitleGap + nameWidth + kTaglineGap + taglineWidth;

    QImage image(488, 59, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);

    const QPoint box((image.width() - lineWidth) / 2, (image.height() - kRows * kCell) / 2 + 1);
    drawMotif(p, box, kCell, kLiftGap);

    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const int nameLeft = box.x() + motifWidth(kCell, kLiftGap) + kTitleGap;
    p.setFont(nameFont);
    p.setPen(kNavy);
    p.drawText(nameLeft, kBaseline, name);

    const int taglineLeft = nameLeft + nameWidth + kTaglineGap;
    p.setFont(taglineFont);
    p.setPen(kTaglineGrey);
    p.drawText(taglineLeft, kBaseline, tagline);
    drawColourRule(p, taglineLeft, kBaseline + 8, taglineWidth);

    p.end();
    return image;
}

// The installer's welcome and finish pages show this down their left side,
// beside white text: the motif large, the name and the tagline under it, each
// centred across the picture.
QImage drawInstallerSide()
{
    constexpr int kCell = 13;
    constexpr int kLiftGap = 8;
    QImage image(164, 314, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    drawMotifCentred(p, image.width(), 92, kCell, kLiftGap);

    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QFont nameFont = bannerFont(30, QFont::Bold);
    const QFont taglineFont = bannerFont(13, QFont::Normal);
    const QString name = QStringLiteral("Morvane");
    const QString tagline = QStringLiteral("a pentomino puzzle");
    const int nameWidth = QFontMetrics(nameFont).horizontalAdvance(name);
    const int taglineWidth = QFontMetrics(taglineFont).horizontalAdvance(tagline);
    p.setFont(nameFont);
    p.setPen(kNavy);
    p.drawText((image.width() - nameWidth) / 2, 200, name);
    p.setFont(taglineFont);
    p.setPen(kTaglineGrey);
    p.drawText((image.width() - taglineWidth) / 2, 224, tagline);
    drawColourRule(p, (image.width() - taglineWidth) / 2, 232, taglineWidth);
    p.end();
    return image;
}

// The installer's other pages show this in their white header: the motif at
// the banner's size, centred.
QImage drawInstallerHeader()
{
    constexpr int kCell = 8;
    constexpr int kLiftGap = 6;
    QImage image(150, 57, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    drawMotifCentred(p, image.width(), (image.height() - 5 * kCell) / 2, kCell, kLiftGap);
    p.end();
    return image;
}

// The partner's mark: a lark in flight over the reeds of a fen, cut out of a
// teal disc.
void drawLarkMark(QPainter &p, const QRectF &disc)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    p.drawEllipse(disc);

    const qreal s = disc.width() / 100.0;
    const QPointF o = disc.topLeft();
    const auto at = [&](qreal x, qreal y) { return o + QPointF(x * s, y * s); };

    // Wings raised, head and crest to the right, a forked tail to the left.
    QPainterPath bird;
    bird.moveTo(at(11, 36));
    bird.lineTo(at(23, 40));
    bird.quadTo(at(35, 38), at(44, 37));
    bird.quadTo(at(50, 17), at(73, 8));  // leading edge of the raised wing
    bird.quadTo(at(63, 24), at(60, 36));  // trailing edge, back to the shoulder
    bird.quadTo(at(63, 31), at(67, 29));  // nape
    bird.lineTo(at(70, 23));              // crest
    bird.quadTo(at(74, 26), at(76, 29));
    bird.lineTo(at(85, 32));              // beak
    bird.lineTo(at(76, 35));
    bird.quadTo(at(73, 44), at(59, 47));  // throat and breast
    bird.quadTo(at(41, 50), at(24, 45));  // belly
    bird.lineTo(at(10, 48));              // lower prong of the tail
    bird.lineTo(at(18, 42));
    bird.closeSubpath();
    p.setBrush(kWhite);
    p.drawPath(bird);

    // Reeds bent by the same wind, the tallest with its seed head, standing
    // in the water of the fen.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWhite, 2.0 * s, Qt::SolidLine, Qt::RoundCap));
    QPainterPath reeds;
    reeds.moveTo(at(57, 80));
    reeds.quadTo(at(58, 70), at(55, 62));
    reeds.moveTo(at(65, 80));
    reeds.quadTo(at(67, 66), at(64, 54));
    reeds.moveTo(at(73, 80));
    reeds.quadTo(at(74, 72), at(72, 66));
    p.drawPath(reeds);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRoundedRect(QRectF(at(61.8, 49), at(66.2, 62)), 2.2 * s, 2.2 * s);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWhite, 2.0 * s, Qt::SolidLine, Qt::RoundCap));
    QPainterPath water;
    water.moveTo(at(20, 80));
    water.quadTo(at(26, 77), at(32, 80));
    water.quadTo(at(38, 83), at(44, 80));
    water.quadTo(at(50, 77), at(56, 80));
    water.quadTo(at(62, 83), at(68, 80));
    water.quadTo(at(74, 77), at(80, 80));
    p.drawPath(water);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 150), 1.6 * s, Qt::SolidLine, Qt::RoundCap));
    QPainterPath ripple;
    ripple.moveTo(at(32, 88));
    ripple.quadTo(at(38, 85), at(44, 88));
    ripple.quadTo(at(50, 91), at(56, 88));
    ripple.quadTo(at(62, 85), at(68, 88));
    p.drawPath(ripple);
}

QImage drawPartnerBanner()
{
    constexpr qreal kDisc = 55;
    constexpr int kDiscGap = 10;
    const QString name = QStringLiteral("Larkfen");
    const QString line = QStringLiteral("puzzles & games online");
    const QFont nameFont = bannerFont(31, QFont::Bold);
    const QFont lineFont = bannerFont(12, QFont::Normal);
    const int nameWidth = QFontMetrics(nameFont).horizontalAdvance(name);
    const int textWidth = qMax(nameWidth, QFontMetrics(lineFont).horizontalAdvance(line) + 1);

    QImage image(255, 77, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    const int discLeft = (image.width() - (static_cast<int>(kDisc) + kDiscGap + textWidth)) / 2;
    drawLarkMark(p, QRectF(discLeft, 11, kDisc, kDisc));

    const int left = discLeft + static_cast<int>(kDisc) + kDiscGap;
    p.setFont(nameFont);
    p.setPen(QColor(0x12, 0x3B, 0x3F));
    p.drawText(left, 42, name);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(left + 1, 49, textWidth - 1, 1, QColor(0xB8, 0xC9, 0xC9));
    p.setRenderHint(QPainter::Antialiasing);

    p.setFont(lineFont);
    p.setPen(kOlive.darker(130));
    p.drawText(left + 1, 64, line);

    p.end();
    return image;
}

// The icon is the Z piece in dark red on nothing. This is its one
// description: the five squares on a 3 x 3 grid, column and row from the top
// left. Every icon file is drawn from it.
constexpr std::array<QPoint, 5> kIconSquares{{{0, 0}, {1, 0}, {1, 1}, {1, 2}, {2, 2}}};
constexpr int kIconGrid = 3;

// The sizes of the icon theme's fixed-size folders; 16 is also the window icon.
constexpr std::array<int, 8> kThemeIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// At 16 pixels a square is 4 pixels and the piece keeps 2 pixels, half a
// square, from every edge. Other sizes keep those proportions with every
// square on whole pixels; at 22, the one size where both cannot be whole, the
// square is 5 and the odd pixel goes to the right and bottom margins.
struct IconLayout {
    int square;
    int margin;
};
constexpr IconLayout iconLayout(int size)
{
    const int square = size / 4;
    return {square, (size - kIconGrid * square) / 2};
}
static_assert(iconLayout(16).square == 4 && iconLayout(16).margin == 2,
              "the 16-pixel icon is the window icon, which must not change");

QImage drawIcon(int size)
{
    const IconLayout layout = iconLayout(size);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    for (const QPoint square : kIconSquares) {
        p.fillRect(QRect(layout.margin + square.x() * layout.square,
                         layout.margin + square.y() * layout.square, layout.square, layout.square),
                   kMaroon);
    }
    p.end();
    return image;
}

// The installed page's icon for launchers that cut every icon to a shape of
// their own (a circle at the least): the background fills the whole square,
// and the piece stays inside the circle of 80% of the width that any such
// shape keeps. The 3 x 3 grid's corners are the piece's farthest points, so
// a square may be at most 0.4 / (1.5 * sqrt 2) of the size.
constexpr int kMaskableSize = 512;
constexpr int kMaskableSquare = 96;
static_assert(2 * (1.5 * kMaskableSquare) * (1.5 * kMaskableSquare) <= 0.4 * kMaskableSize * 0.4 * kMaskableSize,
              "the piece must stay inside the safe circle");

QImage drawMaskableIcon()
{
    QImage image(kMaskableSize, kMaskableSize, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    const int margin = (kMaskableSize - kIconGrid * kMaskableSquare) / 2;
    for (const QPoint square : kIconSquares) {
        p.fillRect(QRect(margin + square.x() * kMaskableSquare, margin + square.y() * kMaskableSquare,
                         kMaskableSquare, kMaskableSquare),
                   kMaroon);
    }
    p.end();
    return image;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// The scalable icon on the 16-pixel design's own grid, the piece as one
// outline rather than five squares, so that no hairline shows where two
// squares meet at sizes between whole pixels.
QByteArray svgBytes()
{
    constexpr int kSize = 16;
    const IconLayout layout = iconLayout(kSize);
    QPainterPath squares;
    for (const QPoint square : kIconSquares) {
        squares.addRect(layout.margin + square.x() * layout.square,
                        layout.margin + square.y() * layout.square, layout.square, layout.square);
    }
    const QPainterPath outline = squares.simplified();

    QString d;
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element e = outline.elementAt(i);
        d += QStringLiteral("%1%2 %3").arg(e.isMoveTo() ? QStringLiteral("M") : QStringLiteral("L"),
                                           QString::number(e.x), QString::number(e.y));
    }
    d += u'Z';

    const QString svg = QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
        "  <path fill=\"#%2\" shape-rendering=\"crispEdges\" d=\"%3\"/>\n"
        "</svg>\n")
                            .arg(QString::number(kSize),
                                 QStringLiteral("%1").arg(kMaroon.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')),
                                 d);
    return svg.toUtf8();
}

bool writeFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "draw-banners: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    std::printf("%s (%lld bytes)\n", qPrintable(file.fileName()),
                static_cast<long long>(bytes.size()));
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    // Nothing is shown; the offscreen platform is all the fonts need.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(u'-'))) {
        std::fprintf(stderr, "usage: draw-banners [output-folder]   (default: resources)\n");
        return 2;
    }
    const QDir dir(args.size() == 2 ? args[1] : QStringLiteral("resources"));
    if (!dir.exists()) {
        std::fprintf(stderr, "draw-banners: no folder %s\n", qPrintable(dir.path()));
        return 1;
    }

    // A substituted face would still draw, but not the banners that were committed.
    const QFontInfo face(bannerFont(12, QFont::Normal));
    if (face.family() != QStringLiteral("Liberation Sans"))
        std::fprintf(stderr, "draw-banners: warning: Liberation Sans not found, using %s\n",
                     qPrintable(face.family()));

    bool ok = writeFile(dir, QStringLiteral("banner-default.bmp"), bmpBytes(drawDefaultBanner()))
              && writeFile(dir, QStringLiteral("banner-partner.bmp"), bmpBytes(drawPartnerBanner()))
              && writeFile(dir, QStringLiteral("installer-side.bmp"), bmpBytes(drawInstallerSide()))
              && writeFile(dir, QStringLiteral("installer-header.bmp"), bmpBytes(drawInstallerHeader()))
              && writeFile(dir, QStringLiteral("morvane.ico"), icoBytes(drawIcon(16)))
              && writeFile(dir, QStringLiteral("morvane-maskable-512.png"), pngBytes(drawMaskableIcon()))
              && writeFile(dir, QStringLiteral("morvane.svg"), svgBytes());
    for (const int size : kThemeIconSizes) {
        ok = ok && writeFile(dir, QStringLiteral("morvane-%1.png").arg(size), pngBytes(drawIcon(size)));
    }
    return ok ? 0 : 1;
}
