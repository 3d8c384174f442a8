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
    const QImage image = randomImage(250, 17, 5);  // rows padded to a multiple of 4 bytes
    const Bytes file = encoded(image, "BMP");
    const auto picture = decode(file);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(differences(*picture, image), 0);
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

// Three frames of 250 x 9 over 200 colours, and the first alone: entry i is
// (i, 255 - i, i * 3 % 256) and frame k has index (x * 7 + y * 3 + k) % 200 at (x, y).
TEST(QtPictureLoader, AnAnimatedGifGivesItsFirstFrameAndCutOnesAreRefused) {
    const std::string python = pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "no Python with Pillow";
    QTemporaryDir dir;
    const QString file = dir.filePath("anim.gif");
    ASSERT_TRUE(shell(python + " -c \"from PIL import Image\n"
                      "pal = [c for i in range(200) for c in (i, 255 - i, i * 3 % 256)]\n"
                      "def frame(k):\n    im = Image.new('P', (250, 9))\n    im.putpalette(pal)\n"
                      "    im.putdata([(x * 7 + y * 3 + k) % 200 for y in range(9) for x in range(250)])\n"
                      "    return im\n"
                      "frame(0).save('" + file.toStdString() + "', save_all=True, append_images=[frame(1), frame(2)])\n"
                      "frame(0).save('" + dir.filePath("first.gif").toStdString() + "')\""));
    const Bytes bytes = readBytes(file);
    const auto picture = decode(bytes);
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->width * 100 + picture->height, 250 * 100 + 9);
    int wrong = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 250; ++x) {
            const int i = (x * 7 + y * 3) % 200;
            const std::uint8_t* p = picture->pixel(x, y);
            wrong += p[0] != i || p[1] != 255 - i || p[2] != i * 3 % 256;
        }
    EXPECT_EQ(wrong, 0);
    const Bytes single = readBytes(dir.filePath("first.gif"));  // the first frame alone, cut anywhere
    ASSERT_TRUE(decode(single).has_value());
    for (std::size_t length = 1; length < single.size(); length += 1 + length / 8)
        ASSERT_FALSE(decode(cut(single, length)).has_value()) << "cut at " << length << " of " << single.size();
}

}  // namespace
