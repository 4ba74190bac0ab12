// The banners, the installer's pictures and the icon, checked byte by byte as
// the splash window and Windows read them, and the program's compiled-in
// copies held to the committed files. Then the icon theme's copies of the
// icon, one per size and one scalable, and the installed page's maskable
// one, each checked for being the window icon's design and nothing else.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>
#include <string>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32(const QByteArray &b, int at)
{
    return static_cast<quint8>(b[at]) | static_cast<quint8>(b[at + 1]) << 8
           | static_cast<quint8>(b[at + 2]) << 16 | static_cast<quint32>(static_cast<quint8>(b[at + 3])) << 24;
}
quint16 u16(const QByteArray &b, int at)
{
    return static_cast<quint16>(static_cast<quint8>(b[at]) | static_cast<quint8>(b[at + 1]) << 8);
}
qint32 i32(const QByteArray &b, int at) { return static_cast<qint32>(u32(b, at)); }
quint8 u8(const QByteArray &b, int at) { return static_cast<quint8>(b[at]); }

struct Banner {
    const char *name;
    int width;
    int height;
    int fileSize;
    friend void PrintTo(const Banner &banner, std::ostream *out) { *out << banner.name; }
};

class BannerTest : public testing::TestWithParam<Banner> {
protected:
    const Banner banner = GetParam();
    const QByteArray bytes = readAll(QStringLiteral(MORVANE_RESOURCES_DIR "/") + QString::fromLatin1(banner.name));
};

TEST_P(BannerTest, IsAnUncompressedBottomUp24BitBmp)
{
    ASSERT_EQ(bytes.size(), banner.fileSize);
    const auto rowBytes = static_cast<quint32>((banner.width * 3 + 3) / 4 * 4);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(u32(bytes, 2), static_cast<quint32>(banner.fileSize));
    EXPECT_EQ(u32(bytes, 6), 0u);
    EXPECT_EQ(u32(bytes, 10), 54u);
    EXPECT_EQ(u32(bytes, 14), 40u);
    EXPECT_EQ(i32(bytes, 18), banner.width);
    EXPECT_EQ(i32(bytes, 22), banner.height);
    EXPECT_EQ(u16(bytes, 26), 1);
    EXPECT_EQ(u16(bytes, 28), 24);
    EXPECT_EQ(u32(bytes, 30), 0u);
    EXPECT_EQ(u32(bytes, 34), rowBytes * static_cast<quint32>(banner.height));
    EXPECT_EQ(u32(bytes, 46), 0u);
    EXPECT_EQ(u32(bytes, 50), 0u);
    EXPECT_EQ(54 + rowBytes * static_cast<quint32>(banner.height), static_cast<quint32>(bytes.size()));

    for (int row = 0; row < banner.height; ++row) {
        for (auto pad = static_cast<quint32>(banner.width * 3); pad < rowBytes; ++pad)
            ASSERT_EQ(u8(bytes, 54 + static_cast<int>(row * rowBytes + pad)), 0) << "row " << row;
    }
}

// A real decoder agrees with the bytes, and what it shows is a picture that
// sits on the white splash window or installer page without a visible edge.
TEST_P(BannerTest, IsADrawnPictureOnWhite)
{
    const QImage image = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(image.size(), QSize(banner.width, banner.height));

    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            colours.insert(p & 0xFFFFFF);
            if (x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1) {
                ASSERT_EQ(p & 0xFFFFFF, 0xFFFFFFu) << "edge pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GE(colours.size(), 16);
}

INSTANTIATE_TEST_SUITE_P(Banners, BannerTest,
                         testing::Values(Banner{"banner-default.bmp", 488, 59, 86430},
                                         Banner{"banner-partner.bmp", 255, 77, 59190},
                                         Banner{"installer-side.bmp", 164, 314, 154542},
                                         Banner{"installer-header.bmp", 150, 57, 25818}),
                         [](const auto &info) {
                             std::string file = std::string(info.param.name).substr(0, std::strlen(info.param.name) - 4);
                             std::replace(file.begin(), file.end(), '-', '_');
                             return file;
                         });

TEST(Resources, CompiledInCopiesMatchTheCommittedFiles)
{
    for (const char *name : {"banner-default.bmp", "banner-partner.bmp", "morvane.ico"}) {
        const QByteArray compiled = readAll(QStringLiteral(":/") + QString::fromLatin1(name));
        EXPECT_FALSE(compiled.isEmpty()) << name;
        EXPECT_EQ(compiled, readAll(QStringLiteral(MORVANE_RESOURCES_DIR "/") + QString::fromLatin1(name)))
            << name;
    }
}

// The Z piece, rows counted from the top.
bool inZPiece(int x, int y)
{
    return QRect(2, 2, 8, 4).contains(x, y) || QRect(6, 6, 4, 4).contains(x, y)
           || QRect(6, 10, 8, 4).contains(x, y);
}

TEST(Resources, IconIsOne16ColourImageOfTheZPiece)
{
    const QByteArray bytes = readAll(QStringLiteral(MORVANE_RESOURCES_DIR "/morvane.ico"));
    constexpr int kDib = 22;
    constexpr int kPalette = kDib + 40;
    constexpr int kColour = kPalette + 16 * 4;
    constexpr int kMask = kColour + 16 * 8;
    ASSERT_EQ(bytes.size(), kMask + 16 * 4);

    EXPECT_EQ(u16(bytes, 0), 0);
    EXPECT_EQ(u16(bytes, 2), 1);
    EXPECT_EQ(u16(bytes, 4), 1);
    EXPECT_EQ(u8(bytes, 6), 16);
    EXPECT_EQ(u8(bytes, 7), 16);
    EXPECT_EQ(u8(bytes, 8), 16);
    EXPECT_EQ(u16(bytes, 10), 1);
    EXPECT_EQ(u16(bytes, 12), 4);
    EXPECT_EQ(u32(bytes, 14), static_cast<quint32>(bytes.size() - kDib));
    EXPECT_EQ(u32(bytes, 18), static_cast<quint32>(kDib));

    EXPECT_EQ(u32(bytes, kDib), 40u);
    EXPECT_EQ(i32(bytes, kDib + 4), 16);
    EXPECT_EQ(i32(bytes, kDib + 8), 32);  // the colour bitmap and the mask
    EXPECT_EQ(u16(bytes, kDib + 12), 1);
    EXPECT_EQ(u16(bytes, kDib + 14), 4);
    EXPECT_EQ(u32(bytes, kDib + 16), 0u);

    for (int y = 0; y < 16; ++y) {
        const int stored = 15 - y;
        for (int x = 0; x < 16; ++x) {
            const bool transparent = (u8(bytes, kMask + stored * 4 + x / 8) >> (7 - x % 8)) & 1;
            const quint8 pair = u8(bytes, kColour + stored * 8 + x / 2);
            const int index = x % 2 == 0 ? pair >> 4 : pair & 0xF;
            ASSERT_EQ(!transparent, inZPiece(x, y)) << x << "," << y;
            if (transparent) {
                // Windows XORs these onto the screen: anything but black shows.
                EXPECT_EQ(index, 0) << x << "," << y;
            } else {
                const int entry = kPalette + index * 4;
                EXPECT_EQ(qRgb(u8(bytes, entry + 2), u8(bytes, entry + 1), u8(bytes, entry)),
                          qRgb(128, 0, 0))
                    << x << "," << y;
            }
        }
    }
}

// The picture is the Z piece's five squares in the piece's dark red, each on
// whole pixels, on a background of one colour and nothing else. Gives the 3 x 3
// grid's rectangle.
QRect zPieceOn(const QImage &image, QRgb background)
{
    QRect piece;
    int strange = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                strange += image.pixel(x, y) != qRgba(128, 0, 0, 255);
                piece |= QRect(x, y, 1, 1);
            }
        }
    }
    EXPECT_EQ(strange, 0) << "pixels neither the background nor the piece";
    EXPECT_TRUE(piece.width() == piece.height() && piece.width() % 3 == 0) << "no 3 x 3 grid of whole squares";
    const int square = std::max(piece.width() / 3, 1);
    int misplaced = 0;
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        for (int x = piece.left(); x <= piece.right(); ++x) {
            misplaced += (image.pixel(x, y) != background)
                         != inZPiece(2 + 4 * ((x - piece.left()) / square), 2 + 4 * ((y - piece.top()) / square));
        }
    }
    EXPECT_EQ(misplaced, 0) << "pixels off the Z piece's squares";
    return piece;
}

// Every size in the icon theme is the 16-pixel design on transparent pixels,
// in the 16-pixel icon's proportions: a square a quarter of the size, half a
// square of margin.
class ThemeIconTest : public testing::TestWithParam<int> {};

TEST_P(ThemeIconTest, IsTheZPieceOnWholePixels)
{
    const int size = GetParam();
    const QImage png = QImage(QStringLiteral(MORVANE_RESOURCES_DIR "/morvane-%1.png").arg(size))
                           .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(png.size(), QSize(size, size));
    const QRect piece = zPieceOn(png, qRgba(0, 0, 0, 0));
    EXPECT_NEAR(piece.width() / 3, size / 4.0, 0.5);

    // Centred; where the margins cannot be equal, the odd pixel goes right and below.
    const int farMargin = size - 1 - piece.right();
    EXPECT_EQ(piece.top(), piece.left());
    EXPECT_EQ(size - 1 - piece.bottom(), farMargin);
    EXPECT_GE(farMargin, piece.left());
    EXPECT_LE(farMargin, piece.left() + 1);
}

// The installed page's icon for launchers that cut it to a shape: white to
// every edge, and the piece's grid inside the circle of 80% of the width
// that every such shape keeps.
TEST(Resources, MaskableIconKeepsTheZPieceInTheSafeCircle)
{
    const QImage png = QImage(QStringLiteral(MORVANE_RESOURCES_DIR "/morvane-maskable-512.png"))
                           .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(png.size(), QSize(512, 512));
    const QRectF piece = zPieceOn(png, qRgba(255, 255, 255, 255));
    for (const QPointF corner : {piece.topLeft(), piece.topRight(), piece.bottomLeft(), piece.bottomRight()})
        EXPECT_LE(std::hypot(corner.x() - 256, corner.y() - 256), 0.4 * 512) << corner.x() << "," << corner.y();
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThemeIconTest, testing::Values(16, 22, 24, 32, 48, 64, 128, 256),
                         [](const auto &info) { return std::to_string(info.param) + "px"; });

// The scalable icon: one dark red outline on the 16-pixel grid. Filled at 16
// pixels it is the window icon; filled at 256 it is the 256-pixel file.
TEST(Resources, ScalableIconIsTheSameDesign)
{
    QXmlStreamReader xml(readAll(QStringLiteral(MORVANE_RESOURCES_DIR "/morvane.svg")));
    ASSERT_TRUE(xml.readNextStartElement());
    ASSERT_EQ(xml.name(), u"svg");
    EXPECT_EQ(xml.namespaceUri(), u"http://www.w3.org/2000/svg");
    EXPECT_EQ(xml.attributes().value(QLatin1String("viewBox")), u"0 0 16 16");

    QList<QString> paths;
    QString fill;
    while (xml.readNextStartElement()) {
        ASSERT_EQ(xml.name(), u"path");
        fill = xml.attributes().value(QLatin1String("fill")).toString();
        paths.append(xml.attributes().value(QLatin1String("d")).toString());
        xml.skipCurrentElement();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_EQ(paths.size(), 1);
    EXPECT_EQ(fill, u"#800000");

    QPainterPath outline;
    const QRegularExpression command(QStringLiteral(R"(([ML])\s*(-?[0-9.]+)[ ,]+(-?[0-9.]+)|(Z))"));
    QString left = paths[0];
    for (const QRegularExpressionMatch &m : command.globalMatch(paths[0])) {
        left.replace(m.captured(0), QString());
        if (m.captured(4) == u"Z")
            outline.closeSubpath();
        else if (m.captured(1) == u"M")
            outline.moveTo(m.captured(2).toDouble(), m.captured(3).toDouble());
        else
            outline.lineTo(m.captured(2).toDouble(), m.captured(3).toDouble());
    }
    ASSERT_TRUE(left.trimmed().isEmpty()) << "unread path data: " << left.toStdString();

    const auto fillAt = [&](int size) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(size / 16.0, size / 16.0);
        p.fillPath(outline, QColor(128, 0, 0));
        p.end();
        return image;
    };
    const QImage at16 = fillAt(16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(at16.pixel(x, y) == qRgba(128, 0, 0, 255), inZPiece(x, y)) << x << "," << y;
    }
    EXPECT_EQ(fillAt(256),
              QImage(QStringLiteral(MORVANE_RESOURCES_DIR "/morvane-256.png")).convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
