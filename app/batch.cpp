#include "app/batch.h"

#include <QCommandLineParser>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/texts.h"
#include "imaging/import_fit.h"
#include "imaging/picture_load.h"
#include "imaging/png_encode.h"
#include "imaging/sprite_grab.h"
#include "io/asm_listing.h"
#include "io/colour_pal_file.h"
#include "io/palette_save.h"
#include "io/safe_write.h"
#include "io/sprite_file.h"
#include "model/sprite_model.h"
#include "palette/bank_fit.h"
#include "palette/colour_use.h"
#include "palette/palette_file.h"
#include "palette/palette_formats.h"
#include "toolkit/paths.h"

namespace app {

namespace {

constexpr const char* USAGE_TEXT =
    "Usage:\n"
    "  viroror                 start the editor\n"
    "  viroror import PICTURE -o SHEET.spr [--9bit] [--grab X,Y,COLUMNS,ROWS] [--palette FILE] [4-BIT]\n"
    "  viroror listing SHEET.spr -o OUT.asm [--label NAME] [--count N] [4-BIT]\n"
    "  viroror colours SHEET.spr -o colors.pal [--palette FILE] [4-BIT]\n"
    "  viroror bitmap PICTURE -o OUT.bmp [--9bit]\n"
    "  viroror sheet SHEET.spr -o OUT.png [--scale N] [--columns N] [--palette FILE] [4-BIT]\n"
    "  viroror palette IN -o OUT [--format rgb|nxp|npl|gpl|jasc]\n"
    "  viroror --help | --version\n"
    "\n"
    "import   fits a picture to the Next's colours and cuts it into 16 x 16 sprites\n"
    "listing  writes the sprites as an assembler listing (-o - for standard output)\n"
    "colours  writes colors.pal, the palette indices the sprites use\n"
    "bitmap   writes a picture as an 8-bit BMP over the Next's fixed colours\n"
    "sheet    draws the sprites into a PNG picture\n"
    "palette  writes a palette file in another layout (without --format, OUT's extension\n"
    "         decides: .pal 768-byte RGB, .nxp, .npl, .gpl, .jasc); --palette reads them all\n"
    "\n"
    "4-BIT is --4bit [--bank N]: the sheet holds 4-bit sprites (128 bytes each, up to 128)\n"
    "shown through palette bank N, 0 to 15 (default 0): entries N x 16 to N x 16 + 15\n";

constexpr int MAX_SCALE = 64;
constexpr int DEFAULT_COLUMNS = 16;

// What went wrong, as one line: "viroror: NAME: reason".
struct Failure {
    QString file;
    const char* reason;
};

// A usage error: the message, then the usage text.
struct UsageError {
    QString message;
};

// The --format names, each a layout.
constexpr std::pair<const char*, palette::PaletteFormat> FORMAT_NAMES[] = {
    {"rgb", palette::PaletteFormat::Rgb24},
    {"nxp", palette::PaletteFormat::Next9Bit},
    {"npl", palette::PaletteFormat::Next9BitTransparent},
    {"gpl", palette::PaletteFormat::Gimp},
    {"jasc", palette::PaletteFormat::Jasc},
};

constexpr const char* CANNOT_WRITE = "cannot be written (folder missing or write-protected?)";

// One invocation: the parsed command line and what the commands share.
class Batch {
public:
    Batch(QCommandLineParser& parser, QString shippedDir) : parser_(parser), shippedDir_(std::move(shippedDir)) {}

    int run(const QString& command, const QString& input) {
        input_ = input;
        output_ = parser_.value(QStringLiteral("o"));
        if (output_.isEmpty()) throw UsageError{QStringLiteral("no output file given (-o FILE)")};
        if (output_ == QLatin1String("-") && command != QLatin1String("listing"))
            throw UsageError{QStringLiteral("only listing writes to standard output")};
        if (command == QLatin1String("import")) return importPicture();
        if (command == QLatin1String("listing")) return listing();
        if (command == QLatin1String("colours")) return colours();
        if (command == QLatin1String("bitmap")) return bitmap();
        if (command == QLatin1String("palette")) return convertPalette();
        return sheet();
    }

private:
    int number(const char* option, int low, int high, int fallback) const {
        const QString name = QString::fromLatin1(option);
        if (!parser_.isSet(name)) return fallback;
        bool ok = false;
        const int value = parser_.value(name).toInt(&ok);
        if (!ok || value < low || value > high)
            throw UsageError{QStringLiteral("--%1 takes a whole number from %2 to %3").arg(name).arg(low).arg(high)};
        return value;
    }

    palette::Palette loadColours() const {
        const QString file = parser_.value(QStringLiteral("palette"));
        // A file the user names may be in any layout; the default one is read as start-up reads it.
        auto loaded = file.isEmpty()
                          ? palette::loadStartPalette(toolkit::toPath(QDir::currentPath()), toolkit::toPath(shippedDir_))
                          : palette::loadPaletteFile(toolkit::toPath(file));
        if (!loaded) {
            const model::ErrorKind kind = loaded.error().kind;
            const bool unreadable = file.isEmpty() || kind == model::ErrorKind::NotFound;
            throw Failure{file.isEmpty() ? QString::fromLatin1(palette::PALETTE_FILE_NAME) : file,
                          unreadable ? "no palette file could be read" : paletteReadReason(kind)};
        }
        return std::move(loaded->palette);
    }

    imaging::Picture loadInputPicture() const {
        std::error_code error;
        const std::filesystem::path path = toolkit::toPath(input_);
        if (!std::filesystem::exists(path, error)) throw Failure{input_, fileReadReason(model::ErrorKind::NotFound)};
        if (std::filesystem::is_directory(path, error)) throw Failure{input_, fileReadReason(model::ErrorKind::NotAFile)};
        model::Result<imaging::Picture> picture = imaging::loadPicture(input_.toStdString());
        if (!picture || picture->empty()) throw Failure{input_, "is not a picture (BMP, PNG, JPEG or GIF) that can be read"};
        return std::move(*picture);
    }

    // A fresh sheet of the kind --4bit and --bank ask for.
    model::SpriteModel freshSheet() const {
        model::SpriteModel sheet;
        if (parser_.isSet(QStringLiteral("4bit"))) {
            sheet.depth = model::SpriteDepth::Four;
            sheet.bank = number("bank", 0, model::BANK_COUNT - 1, 0);
        } else if (parser_.isSet(QStringLiteral("bank"))) {
            throw UsageError{QStringLiteral("--bank goes with --4bit")};
        }
        sheet.resetSheet();
        return sheet;
    }

    model::SpriteModel loadSheet() const {
        model::SpriteModel sheet = freshSheet();
        const model::Result<int> sprites = io::loadSpriteSheet(sheet, toolkit::toPath(input_));
        if (!sprites) throw Failure{input_, fileReadReason(sprites.error().kind)};
        return sheet;
    }

    template <class T>
    int written(const model::Result<T>& result) const {
        if (!result) throw Failure{output_, CANNOT_WRITE};
        return BATCH_OK;
    }
    int write(std::span<const std::uint8_t> bytes) const {
        return written(io::writeFileReplacing(toolkit::toPath(output_), bytes));
    }

    // The picture as the Import page shows it, cut into sprites by "Import Sprites"
    // on a fresh sheet, then saved as "Save All Sprites" does.
    int importPicture() const {
        model::SpriteModel sheet = freshSheet();
        const imaging::GrabArea area = grabArea(sheet);
        const palette::Palette colours = loadColours();
        const imaging::Picture loaded = loadInputPicture();
        const bool nineBit = parser_.isSet(QStringLiteral("9bit"));
        const imaging::Picture canvas = imaging::importCanvasPicture(
            sheet.fourBit() ? imaging::fitForBank(loaded, imaging::IMPORT_CANVAS_WIDTH, imaging::IMPORT_CANVAS_HEIGHT,
                                                  nineBit, palette::bankColours(colours, sheet.bank))
                            : imaging::fitForCanvas(loaded, imaging::IMPORT_CANVAS_WIDTH,
                                                    imaging::IMPORT_CANVAS_HEIGHT, nineBit));
        imaging::GrabArea cells = area;
        if (!parser_.isSet(QStringLiteral("grab"))) {
            // Every whole cell of the part of the picture the canvas shows.
            cells.across = std::min(loaded.width, imaging::IMPORT_CANVAS_WIDTH) / model::SPRITE_SIDE;
            cells.down = std::min(loaded.height, imaging::IMPORT_CANVAS_HEIGHT) / model::SPRITE_SIDE;
            if (cells.across == 0 || cells.down == 0) throw Failure{input_, "is smaller than one 16 x 16 sprite"};
        }
        const auto rgbAt = [&canvas](int x, int y) {
            const std::uint8_t* p = canvas.pixel(x, y);
            return palette::RgbColour{p[0], p[1], p[2]};
        };
        imaging::grabSprites(canvas.width, canvas.height, rgbAt,
                             imaging::GrabColours(colours, sheet, imaging::IMPORT_BACKGROUND), sheet, cells,
                             [](int, bool) {});
        return written(io::quickSave(sheet, toolkit::toPath(output_)));
    }

    imaging::GrabArea grabArea(const model::SpriteModel& sheet) const {
        imaging::GrabArea area;
        area.limit = sheet.maxSprites();
        if (!parser_.isSet(QStringLiteral("grab"))) return area;
        const QStringList parts = parser_.value(QStringLiteral("grab")).split(QLatin1Char(','));
        std::vector<int> values;
        for (const QString& part : parts) {
            bool ok = false;
            values.push_back(part.trimmed().toInt(&ok));
            if (!ok) values.back() = -1;
        }
        const bool valid = values.size() == 4 && values[0] >= 0 && values[0] < imaging::IMPORT_CANVAS_WIDTH &&
                           values[1] >= 0 && values[1] < imaging::IMPORT_CANVAS_HEIGHT && values[2] >= 1 &&
                           values[3] >= 1 && values[2] * values[3] <= sheet.maxSprites();
        if (!valid)
            throw UsageError{QStringLiteral("--grab takes X,Y,COLUMNS,ROWS: X 0 to 511, Y 0 to 383, "
                                            "at least one column and row, at most %1 cells")
                                 .arg(sheet.maxSprites())};
        area = {values[0], values[1], values[2], values[3], sheet.maxSprites()};
        return area;
    }

    // The text "Save ASM" writes after "Generate" for this sheet.
    int listing() const {
        const int most = freshSheet().maxSprites();
        const int wanted = number("count", 1, most, most);
        const model::SpriteModel sheet = loadSheet();
        if (parser_.isSet(QStringLiteral("count")) && wanted > sheet.spriteCount)
            throw Failure{input_, "holds fewer sprites than --count asks for"};
        const int count = std::min(wanted, sheet.spriteCount);
        const QString label = parser_.isSet(QStringLiteral("label")) ? parser_.value(QStringLiteral("label"))
                                                                     : QString::fromLatin1(io::DEFAULT_LABEL_BASE);
        const std::string bytes = io::listingFileBytes(io::asmListing(
            sheet.fileBytes(1, count), count, label.toStdString(), model::fileSpriteBytes(sheet.depth)));
        if (output_ == QLatin1String("-")) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
                throw Failure{QStringLiteral("standard output"), CANNOT_WRITE};
            return BATCH_OK;
        }
        return written(io::writeFileReplacing(toolkit::toPath(output_), bytes));
    }

    // "Save Colour Pal" after the sheet has been loaded (which counts its colours).
    int colours() const {
        if (parser_.isSet(QStringLiteral("palette"))) loadColours();  // a bad file is still refused
        const model::SpriteModel sheet = loadSheet();
        const palette::ColourUse use = palette::countSheetColours(sheet);
        return written(io::saveColourPalette(use.markers, toolkit::toPath(output_)));
    }

    // "Export BMP" straight after loading the picture: the resize fields then hold its size.
    int bitmap() const {
        const bool nineBit = parser_.isSet(QStringLiteral("9bit"));
        const imaging::Picture loaded = loadInputPicture();
        const imaging::Picture canvas = imaging::importCanvasPicture(
            imaging::fitForCanvas(loaded, imaging::IMPORT_CANVAS_WIDTH, imaging::IMPORT_CANVAS_HEIGHT, nineBit));
        const std::vector<std::uint8_t> bytes =
            imaging::exportBitmapBytes(imaging::canvasArea(canvas, loaded.width, loaded.height), false, nineBit);
        if (bytes.empty()) throw Failure{input_, "is too large to export"};
        return write(bytes);
    }

    // The palette file in another layout, as the Palette page saves it.
    int convertPalette() const {
        const palette::PaletteFormat format = paletteFormat();
        const auto loaded = palette::loadPaletteFile(toolkit::toPath(input_));
        if (!loaded) throw Failure{input_, paletteReadReason(loaded.error().kind)};
        return written(io::savePaletteFile(loaded->palette, format, toolkit::toPath(output_)));
    }

    // --format, else the layout OUT's extension names.
    palette::PaletteFormat paletteFormat() const {
        if (parser_.isSet(QStringLiteral("format"))) {
            const QString wanted = parser_.value(QStringLiteral("format"));
            for (const auto& [name, format] : FORMAT_NAMES)
                if (wanted == QLatin1String(name)) return format;
            throw UsageError{QStringLiteral("--format takes rgb, nxp, npl, gpl or jasc")};
        }
        if (const auto format = palette::paletteFormatForPath(toolkit::toPath(output_))) return *format;
        throw UsageError{QStringLiteral("%1 has no palette extension (.pal .nxp .npl .gpl .jasc): give --format")
                             .arg(output_)};
    }

    // scale x scale pixels per sprite pixel, `columns` sprites a row, each pixel in
    // its palette colour; the cells after the last sprite show the transparent index
    // (a 4-bit sheet: its values through the bank, the transparent value there).
    int sheet() const {
        const int scale = number("scale", 1, MAX_SCALE, 1);
        const int columns = number("columns", 1, freshSheet().maxSprites(), DEFAULT_COLUMNS);
        const palette::Palette colours = loadColours();
        const model::SpriteModel sheet = loadSheet();
        const int across = std::min(columns, sheet.spriteCount);
        const int down = (sheet.spriteCount + columns - 1) / columns;
        imaging::Picture picture;
        picture.width = across * model::SPRITE_SIDE * scale;
        picture.height = down * model::SPRITE_SIDE * scale;
        picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
        for (int y = 0; y < picture.height; ++y) {
            const int row = y / scale;
            for (int x = 0; x < picture.width; ++x) {
                const int column = x / scale;
                const int n = (row / model::SPRITE_SIDE) * columns + column / model::SPRITE_SIDE + 1;
                const int value = n > sheet.spriteCount
                                      ? sheet.transparentValue()
                                      : sheet.sheet.sprite(n)[static_cast<std::size_t>(
                                            (row % model::SPRITE_SIDE) * model::SPRITE_SIDE + column % model::SPRITE_SIDE)];
                const int index = sheet.paletteIndexOf(value);
                const palette::RgbColour c = palette::paletteColour(colours, index);
                std::uint8_t* out = picture.pixel(x, y);
                out[0] = static_cast<std::uint8_t>(c.red);
                out[1] = static_cast<std::uint8_t>(c.green);
                out[2] = static_cast<std::uint8_t>(c.blue);
            }
        }
        return write(imaging::encodePng(picture));
    }

    QCommandLineParser& parser_;
    QString shippedDir_;
    QString input_;
    QString output_;
};

void printLine(std::FILE* stream, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

int usageError(const QString& message) {
    printLine(stderr, QStringLiteral("viroror: ") + message);
    std::fputs(USAGE_TEXT, stderr);
    return BATCH_USAGE;
}

// The options each command takes, besides -o.
QStringList optionsOf(const QString& command) {
    if (command == QLatin1String("import")) return {"9bit", "grab", "palette", "4bit", "bank"};
    if (command == QLatin1String("listing")) return {"label", "count", "4bit", "bank"};
    if (command == QLatin1String("colours")) return {"palette", "4bit", "bank"};
    if (command == QLatin1String("bitmap")) return {"9bit"};
    if (command == QLatin1String("sheet")) return {"scale", "columns", "palette", "4bit", "bank"};
    if (command == QLatin1String("palette")) return {"format"};
    return {};
}

}  // namespace

int runBatch(const QStringList& arguments, const QString& shippedDir) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {{"h", "help"}, "Shows the usage."},
        {"version", "Shows the version."},
        {"o", "The file to write.", "FILE"},
        {"9bit", "Reduces to 9-bit colour instead of fitting to the fixed colours."},
        {"grab", "The cells to cut into sprites.", "X,Y,COLUMNS,ROWS"},
        {"palette", "The palette file to use.", "FILE"},
        {"label", "The label of each sprite in the listing.", "NAME"},
        {"count", "Lists only the first N sprites.", "N"},
        {"scale", "Pixels per sprite pixel.", "N"},
        {"columns", "Sprites per row.", "N"},
        {"format", "The palette file layout to write.", "LAYOUT"},
        {"4bit", "The sheet holds 4-bit sprites."},
        {"bank", "The palette bank of 4-bit sprites, 0 to 15.", "N"},
    });
    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(USAGE_TEXT, stdout);
        return BATCH_OK;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printLine(stdout, titlePrefix());
        return BATCH_OK;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) return usageError(QStringLiteral("no command given"));
    const QString& command = positional.front();
    const QStringList allowed = optionsOf(command);
    if (allowed.isEmpty()) return usageError(QStringLiteral("unknown command '%1'").arg(command));
    if (positional.size() != 2) return usageError(QStringLiteral("%1 takes one input file").arg(command));
    for (const QString& name : parser.optionNames()) {
        if (name != QLatin1String("o") && !allowed.contains(name))
            return usageError(QStringLiteral("%1 takes no option '%2'").arg(command, name));
    }
    try {
        Batch batch(parser, shippedDir);
        return batch.run(command, positional[1]);
    } catch (const UsageError& error) {
        return usageError(error.message);
    } catch (const Failure& failure) {
        printLine(stderr, QStringLiteral("viroror: %1: %2").arg(failure.file, QString::fromUtf8(failure.reason)));
        return BATCH_FAILED;
    }
}

}  // namespace app
