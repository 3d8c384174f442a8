// BMP and GIF through the toolkit: pictures Qt writes (or Pillow, for GIF) come
// back with their colours; cut, damaged and oversized files are refused; once the
// loader is installed, the one load call reads them too.
#include "app/qt_picture_loader.h"

#include "imaging/picture_load.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using app::decodePictureWithQt;
using imaging::Picture;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes toBytes(const QByteArray& data) { return Bytes(data.begin(), data.end()); }

std::optional<Picture> decode(const Bytes& data) { return decodePictureWithQt(data.data(), data.size()); }

QImage randomImage(int width, int height, unsigned seed) {
    std::mt19937 generator(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, generator() | 0xFF000000u);
    return image;
}

Bytes bmpOf(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "BMP"));
    return toBytes(data);
}

void setLe32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 24-bit bitmap header with the given size and as many pixel bytes as asked.
Bytes bmpHeader24(std::int32_t width, std::int32_t height, std::size_t pixelBytes) {
    Bytes file(54, 0);
    file[0] = 'B';
    file[1] = 'M';
    setLe32(file, 2, static_cast<std::uint32_t>(54 + pixelBytes));
    setLe32(file, 10, 54);
    setLe32(file, 14, 40);
    setLe32(file, 18, static_cast<std::uint32_t>(width));
    setLe32(file, 22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    file.resize(54 + pixelBytes, 0x40);
    return file;
}

// A GIF of only a header: logical screen and one image descriptor of that size.
Bytes gifHeaderOnly(std::uint16_t width, std::uint16_t height) {
    Bytes file = {'G', 'I', 'F', '8', '9', 'a'};
    const auto add16 = [&](std::uint16_t v) { file.insert(file.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); };
    add16(width);
    add16(height);
    file.insert(file.end(), {0x80, 0, 0});                     // a 2-entry global table follows
    file.insert(file.end(), {0, 0, 0, 255, 255, 255});
    file.push_back(0x2C);                                       // image descriptor
    add16(0);
    add16(0);
    add16(width);
    add16(height);
    file.push_back(0);
    file.insert(file.end(), {2, 2, 0x4C, 0x01, 0, 0x3B});      // a token of pixel data, then the end
    return file;
}

void expectSamePixels(const Picture& picture, const QImage& image) {
    ASSERT_EQ(picture.width, image.width());
    ASSERT_EQ(picture.height, image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb expected = image.pixel(x, y);
            const std::uint8_t* p = picture.pixel(x, y);
            ASSERT_EQ(p[0], qRed(expected)) << x << "," << y;
            ASSERT_EQ(p[1], qGreen(expected)) << x << "," << y;
            ASSERT_EQ(p[2], qBlue(expected)) << x << "," << y;
        }
}

std::string pythonWithPillow() {
    for (const char* candidate : {"python3", "/usr/bin/python3"}) {
        const std::string command = std::string(candidate) + " -c 'import PIL.Image' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) return candidate;
    }
    return {};
}

// Writes GIFs with Pillow: an indexed picture whose index at (x, y) is
// (x * 7 + y * 3) % colours over a palette where entry i is (i, 255 - i, i * 3 % 256);
// with frames > 1 the later frames are other pictures.
bool writeGifWithPillow(const std::string& python, const QString& path, int width, int height, int colours,
                        int frames) {
    const std::string script =
        "import sys\n"
        "from PIL import Image\n"
        "w, h, n, frames = (int(a) for a in sys.argv[2:6])\n"
        "pal = []\n"
        "for i in range(n): pal += [i, 255 - i, i * 3 % 256]\n"
        "def frame(shift):\n"
        "    im = Image.new('P', (w, h))\n"
        "    im.putpalette(pal)\n"
        "    im.putdata([(x * 7 + y * 3 + shift) % n for y in range(h) for x in range(w)])\n"
        "    return im\n"
        "first = frame(0)\n"
        "rest = [frame(k) for k in range(1, frames)]\n"
        "first.save(sys.argv[1], save_all=frames > 1, append_images=rest, optimize=False)\n";
    QTemporaryDir scriptDir;
    const QString scriptPath = scriptDir.filePath("write_gif.py");
    QFile scriptFile(scriptPath);
    if (!scriptFile.open(QIODevice::WriteOnly)) return false;
    scriptFile.write(script.c_str());
    scriptFile.close();
    const std::string command = python + " '" + scriptPath.toStdString() + "' '" + path.toStdString() + "' " +
                                std::to_string(width) + " " + std::to_string(height) + " " +
                                std::to_string(colours) + " " + std::to_string(frames) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

Bytes readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return toBytes(file.readAll());
}

// ---- BMP ----

TEST(QtPictureLoader, TrueColourBitmapsComeBackExactly) {
    for (int width : {1, 5, 250, 256})
        for (int height : {1, 3, 17}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            const QImage image = randomImage(width, height, static_cast<unsigned>(width * 100 + height));
            const auto picture = decode(bmpOf(image));
            ASSERT_TRUE(picture.has_value());
            expectSamePixels(*picture, image);
        }
}

TEST(QtPictureLoader, BitmapHeadersClaimingHugeOrEmptyPicturesAreRefused) {
    for (auto [w, h] : {std::pair<std::int32_t, std::int32_t>{100000, 100000}, {16385, 1}, {1, -16385},
                        {16384, 16384}, {0, 5}, {5, 0}, {-5, 5}}) {
        EXPECT_FALSE(decode(bmpHeader24(w, h, 64)).has_value()) << w << " x " << h;
    }
}

TEST(QtPictureLoader, BitmapsWithTooFewPixelBytesAreRefused) {
    // 8000 x 8000 passes the size check; only 300 bytes of its pixels are there.
    EXPECT_FALSE(decode(bmpHeader24(8000, 8000, 300)).has_value());
    const Bytes file = bmpOf(randomImage(40, 30, 5));
    for (std::size_t length : {std::size_t{1}, std::size_t{14}, std::size_t{30}, std::size_t{54}, std::size_t{100},
                               file.size() / 2, file.size() - 1}) {
        EXPECT_FALSE(decode(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length))).has_value())
            << "cut at " << length;
    }
}

// Bitmaps of other kinds, written by ImageMagick: 8-bit run-length, the old core
// header (4 bits), 1 bit, 4 bits and 24 bits. Qt must show what ImageMagick reads.
TEST(QtPictureLoader, OtherWritersBitmapsShowTheSameColours) {
    if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ImageMagick";
    QTemporaryDir dir;
    QImage source(37, 11, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 30, 40), qRgb(10, 220, 90),
                            qRgb(30, 60, 240), qRgb(250, 250, 0), qRgb(128, 128, 128), qRgb(90, 0, 160)};
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) source.setPixel(x, y, colours[(x / 3 + y * 5) % 8]);
    const QString sourcePath = dir.filePath("source.png");
    ASSERT_TRUE(source.save(sourcePath, "PNG"));

    const std::pair<const char*, const char*> kinds[] = {
        {"rle8", "-type Palette -compress RLE bmp3:"},
        {"core", "-type Palette bmp2:"},
        {"bilevel", "-type Bilevel bmp3:"},
        {"sixteen", "-colors 8 -type Palette -depth 4 bmp3:"},
        {"true", "-type TrueColor bmp3:"},
    };
    for (const auto& [name, options] : kinds) {
        SCOPED_TRACE(name);
        const std::string bmp = dir.filePath(QString(name) + ".bmp").toStdString();
        const std::string raw = dir.filePath(QString(name) + ".rgb").toStdString();
        const std::string write = "convert '" + sourcePath.toStdString() + "' " + options + "'" + bmp + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(write.c_str()), 0) << write;
        const std::string read = "convert '" + bmp + "' -depth 8 'rgb:" + raw + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(read.c_str()), 0);
        const Bytes file = readFile(QString::fromStdString(bmp));
        const Bytes theirs = readFile(QString::fromStdString(raw));
        const auto picture = decode(file);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, 37);
        EXPECT_EQ(picture->height, 11);
        EXPECT_TRUE(picture->rgb == theirs);
        for (std::size_t length = 0; length < file.size(); length += 5)
            ASSERT_FALSE(decode(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length))).has_value())
                << "cut at " << length;
    }
}

// ---- GIF ----

TEST(QtPictureLoader, GifsShowTheirPaletteColours) {
    const std::string python = pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "no Python with Pillow";
    QTemporaryDir dir;
    for (int width : {1, 5, 250, 256}) {
        SCOPED_TRACE(width);
        const int height = 9, colours = 200;
        const QString path = dir.filePath("picture.gif");
        ASSERT_TRUE(writeGifWithPillow(python, path, width, height, colours, 1));
        const auto picture = decode(readFile(path));
        ASSERT_TRUE(picture.has_value());
        ASSERT_EQ(picture->width, width);
        ASSERT_EQ(picture->height, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int i = (x * 7 + y * 3) % colours;
                const std::uint8_t* p = picture->pixel(x, y);
                ASSERT_EQ(p[0], i);
                ASSERT_EQ(p[1], 255 - i);
                ASSERT_EQ(p[2], i * 3 % 256);
            }
    }
}

TEST(QtPictureLoader, AnimatedGifGivesItsFirstFrame) {
    const std::string python = pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "no Python with Pillow";
    QTemporaryDir dir;
    const QString path = dir.filePath("anim.gif");
    ASSERT_TRUE(writeGifWithPillow(python, path, 12, 8, 16, 3));
    const auto picture = decode(readFile(path));
    ASSERT_TRUE(picture.has_value());
    for (int x = 0; x < 12; ++x) EXPECT_EQ(picture->pixel(x, 0)[0], x * 7 % 16) << x;
}

TEST(QtPictureLoader, CutShortOrHugeGifsAreRefused) {
    EXPECT_FALSE(decode(gifHeaderOnly(65535, 65535)).has_value());
    EXPECT_FALSE(decode(gifHeaderOnly(16385, 2)).has_value());
    EXPECT_FALSE(decode(gifHeaderOnly(0, 0)).has_value());

    const std::string python = pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "no Python with Pillow for the cut files";
    QTemporaryDir dir;
    const QString path = dir.filePath("whole.gif");
    ASSERT_TRUE(writeGifWithPillow(python, path, 64, 48, 256, 1));
    const Bytes file = readFile(path);
    ASSERT_TRUE(decode(file).has_value());
    for (std::size_t length = 1; length < file.size(); length += (length < 900 ? 1 : 37)) {
        ASSERT_FALSE(decode(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length))).has_value())
            << "cut at " << length << " of " << file.size();
    }
}

// ---- Not for this loader ----

TEST(QtPictureLoader, OtherFormatsAreNotAskedOfQt) {
    // Qt reads PPM, but the program takes only BMP, PNG, JPEG and GIF.
    const std::string ppm = "P6\n2 1\n255\n\x01\x02\x03\x04\x05\x06";
    EXPECT_FALSE(decode(Bytes(ppm.begin(), ppm.end())).has_value());
    EXPECT_FALSE(decode({}).has_value());
    EXPECT_FALSE(decodePictureWithQt(nullptr, 0).has_value());
}

// ---- Installed as the fallback of the one load call ----

TEST(QtPictureLoader, InstalledLoaderReadsBitmapsThroughTheLoadCall) {
    QTemporaryDir dir;
    const QImage image = randomImage(33, 7, 9);
    const QString path = dir.filePath(QString::fromUtf8("Größe und Bild 1.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const Bytes data = bmpOf(image);
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
    file.close();

    imaging::setPictureLoaderFallback({});
    EXPECT_FALSE(imaging::loadPicture(path.toStdString()).has_value());
    app::installQtPictureLoader();
    const auto picture = imaging::loadPicture(path.toStdString());
    imaging::setPictureLoaderFallback({});
    ASSERT_TRUE(picture.has_value());
    expectSamePixels(*picture, image);
}

// ---- Conversions ----

TEST(QtPictureConversion, PictureAndImageRoundTrip) {
    const QImage image = randomImage(13, 6, 11);
    const Picture picture = app::imageToPicture(image);
    expectSamePixels(picture, image);
    const QImage back = app::pictureToImage(picture);
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    EXPECT_EQ(back, image);
    EXPECT_TRUE(app::pictureToImage(Picture{}).isNull());
}

TEST(QtPictureConversion, AlphaIsDroppedButKeptForIcons) {
    QImage see(2, 1, QImage::Format_ARGB32);
    see.setPixel(0, 0, qRgba(10, 20, 30, 0));
    see.setPixel(1, 0, qRgba(40, 50, 60, 128));
    const Picture picture = app::imageToPicture(see);
    EXPECT_EQ(picture.rgb, (Bytes{10, 20, 30, 40, 50, 60}));

    imaging::RgbaPicture icon;
    icon.width = 2;
    icon.height = 1;
    icon.rgba = {10, 20, 30, 0, 40, 50, 60, 128};
    const QImage image = app::rgbaPictureToImage(icon);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgba(10, 20, 30, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgba(40, 50, 60, 128));
}

}  // namespace
