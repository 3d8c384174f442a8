// BMP and GIF through Qt: pictures Qt or Pillow writes come back with their
// colours, an animated GIF gives its first frame, and cut-short files, huge
// headers and formats other than these two are refused.
#include "app/qt_picture_loader.h"
#include "session_fixture.h"

using namespace testing_support;

namespace {

std::optional<imaging::Picture> decode(const Bytes& data) { return app::decodePictureWithQt(data.data(), data.size()); }
Bytes cut(const Bytes& file, std::size_t length) { return Bytes(file.data(), file.data() + length); }

QImage randomImage(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, random() | 0xFF000000u);
    return image;
}

// Counts pixels whose colour differs between the picture and the image.
int differences(const imaging::Picture& picture, const QImage& image) {
    if (picture.width != image.width() || picture.height != image.height()) return -1;
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = picture.pixel(x, y);
            wrong += qRgb(p[0], p[1], p[2]) != (image.pixel(x, y) | 0xFF000000u);
        }
    return wrong;
}

void put(Bytes& file, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 24-bit bitmap header claiming width x height, followed by pixelBytes bytes.
Bytes bmpHeader(std::int32_t width, std::int32_t height, std::size_t pixelBytes) {
    Bytes file(54 + pixelBytes, 0x40);
    file[0] = 'B';
    file[1] = 'M';
    for (auto [at, value] : {std::pair<std::size_t, std::uint32_t>{2, 54 + pixelBytes}, {6, 0}, {10, 54}, {14, 40},
                             {18, width}, {22, height}, {26, 1 | 24 << 16}, {30, 0}, {34, 0}, {38, 0}, {42, 0},
                             {46, 0}, {50, 0}})
        put(file, at, value, 4);
    return file;
}

// A GIF of a header only: a screen and one image of that size, a token of data.
Bytes gifHeader(std::uint16_t width, std::uint16_t height) {
    Bytes file = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                  0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B};
    for (std::size_t at : {6u, 24u}) {  // the screen, then the image
        put(file, at, width, 2);
        put(file, at + 2, height, 2);
    }
    return file;
}

TEST(QtPictureLoader, BitmapsComeBackExactlyAndCutOnesAreRefused) {
    for (auto [w, h] : {std::pair{1, 1}, {5, 3}, {250, 17}, {256, 1}}) {
        const QImage image = randomImage(w, h, static_cast<unsigned>(w * 100 + h));
        const auto picture = decode(encoded(image, "BMP"));
        ASSERT_TRUE(picture.has_value()) << w << " x " << h;
        EXPECT_EQ(differences(*picture, image), 0) << w << " x " << h;
    }
    const Bytes file = encoded(randomImage(40, 30, 5), "BMP");
    for (std::size_t length : {std::size_t{1}, std::size_t{54}, std::size_t{100}, file.size() / 2, file.size() - 1})
        EXPECT_FALSE(decode(cut(file, length)).has_value()) << "cut at " << length;
    EXPECT_FALSE(decode(bmpHeader(8000, 8000, 300)).has_value());  // an allowed size, 300 bytes of it there
}

TEST(QtPictureLoader, HugeOrEmptyHeadersAndOtherFormatsAreRefused) {
    ASSERT_TRUE(decode(bmpHeader(4, 2, 32)).has_value());
    for (auto [w, h] : {std::pair<std::int32_t, std::int32_t>{100000, 100000}, {16385, 1}, {1, -16385}, {16384, 16384},
                        {0, 5}, {5, 0}, {-5, 5}})
        EXPECT_FALSE(decode(bmpHeader(w, h, 64)).has_value()) << "BMP " << w << " x " << h;
    for (auto [w, h] : {std::pair<std::uint16_t, std::uint16_t>{65535, 65535}, {16385, 2}, {0, 0}})
        EXPECT_FALSE(decode(gifHeader(w, h)).has_value()) << "GIF " << w << " x " << h;
    const std::string ppm = "P6\n2 1\n255\n\x01\x02\x03\x04\x05\x06";  // Qt reads it; the program does not
    EXPECT_FALSE(decode(Bytes(ppm.begin(), ppm.end())).has_value());
    EXPECT_FALSE(decode({}).has_value());
}

// Pillow writes an indexed GIF whose index at (x, y) is (x * 7 + y * 3 + frame) % colours
// over a palette where entry i is (i, 255 - i, i * 3 % 256).
Bytes pillowGif(const std::string& python, const QTemporaryDir& dir, int width, int height, int colours, int frames) {
    const QString file = dir.filePath("picture.gif");
    const std::string script =
        "import sys\nfrom PIL import Image\nw, h, n, k = (int(a) for a in sys.argv[2:6])\n"
        "pal = [c for i in range(n) for c in (i, 255 - i, i * 3 % 256)]\n"
        "def frame(s):\n    im = Image.new('P', (w, h))\n    im.putpalette(pal)\n"
        "    im.putdata([(x * 7 + y * 3 + s) % n for y in range(h) for x in range(w)])\n    return im\n"
        "frame(0).save(sys.argv[1], save_all=k > 1, append_images=[frame(s) for s in range(1, k)], optimize=False)\n";
    QFile scriptFile(dir.filePath("gif.py"));
    if (!scriptFile.open(QIODevice::WriteOnly)) return {};
    scriptFile.write(script.c_str());
    scriptFile.close();
    if (!shell(python + " " + quoted(scriptFile.fileName()) + " " + quoted(file) + " " +
               std::to_string(width) + " " + std::to_string(height) + " " + std::to_string(colours) + " " +
               std::to_string(frames)))
        return {};
    return readBytes(file);
}

TEST(QtPictureLoader, GifsShowTheirFirstFramesColoursAndCutOnesAreRefused) {
    const std::string python = pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "no Python with Pillow";
    QTemporaryDir dir;
    for (auto [width, colours, frames] : {std::tuple{250, 200, 1}, {12, 16, 3}}) {
        SCOPED_TRACE(std::to_string(width) + " wide, " + std::to_string(frames) + " frames");
        const Bytes file = pillowGif(python, dir, width, 9, colours, frames);
        const auto picture = decode(file);
        ASSERT_TRUE(picture.has_value());
        ASSERT_EQ(picture->width, width);
        ASSERT_EQ(picture->height, 9);
        int wrong = 0;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < width; ++x) {
                const int i = (x * 7 + y * 3) % colours;
                const std::uint8_t* p = picture->pixel(x, y);
                wrong += p[0] != i || p[1] != 255 - i || p[2] != i * 3 % 256;
            }
        EXPECT_EQ(wrong, 0);
        if (frames > 1) continue;
        for (std::size_t length = 1; length < file.size(); length += 1 + length / 8)
            ASSERT_FALSE(decode(cut(file, length)).has_value()) << "cut at " << length << " of " << file.size();
    }
}

}  // namespace
