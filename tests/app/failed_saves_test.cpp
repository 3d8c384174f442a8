// Every command that writes a file, pressed in the real window while the write
// fails for real: the target is an existing folder, the path runs through a
// regular file, or (in a child process) the file size limit stops the write half
// way. Each time the folder is left exactly as it was (the old file byte for byte,
// no temporary file beside it) and the user sees the failure text, never a
// success text. The same set-up without a fault writes the file, so the failing
// cases fail for the reason they are meant to.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPlainTextEdit>

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "app/commands.h"
#include "child_process.h"
#include "session_fixture.h"
#include "ui/control_ids.h"

using testing_support::readBytes;
using testing_support::writeBytes;
using ui::Control;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// One save command: the button, the name its dialog is answered with (none for
// the colour list, whose name is fixed), and what the user is shown.
struct SaveCommand {
    const char* name;
    Control button;
    const char* target;
    bool asksForName;
    QString (*failureText)(const QString& fullName);
    QString (*successText)(const QString& fullName);
};

QString asMessage(const char* title, const char* text) {
    return QString::fromLatin1(title) + QLatin1Char('|') + QString::fromLatin1(text);
}

// A status text the colour list save leaves alone when it succeeds.
const QString UNTOUCHED_STATUS = QStringLiteral("status before the save");

const SaveCommand SAVE_COMMANDS[] = {
    {"SaveAll", Control::GadgetSaveAll, "sheet.spr", true,
     [](const QString&) { return QStringLiteral("Failed - Could not save sprites"); },
     [](const QString&) { return QStringLiteral("Success - Saved sprite sheet 1"); }},
    {"SaveRange", Control::GadgetSaveRange, "range.spr", true,
     [](const QString&) { return QStringLiteral("Failed - Could not save sprites"); },
     [](const QString&) { return QStringLiteral("Success - Saved sprite sheet 64"); }},
    {"QuickSave", Control::GadgetQuickSave, "quick.bin", true,
     [](const QString& n) { return "Failed - saved as :" + n; },
     [](const QString& n) { return "Quick saved as :" + n; }},
    {"ExportSprite", Control::GadgetExportSprite, "one.spr", true,
     [](const QString& n) { return "Failed to save " + n; },
     [](const QString& n) { return "Saved " + n; }},
    {"SaveColourPal", Control::GadgetSavePalette, "colors.pal", false,
     [](const QString&) { return QStringLiteral("Failed to save colors.pal"); },
     [](const QString&) { return UNTOUCHED_STATUS; }},
    {"SaveAsm", Control::GadgetSaveAsm, "listing.asm", true,
     [](const QString&) { return asMessage("Save", "Save failed."); },
     [](const QString&) { return asMessage("Save", "Save complete."); }},
    {"ExportBmp", Control::GadgetExportBmp, "picture.bmp", true,
     [](const QString& n) { return "Failed to save " + n; },
     [](const QString& n) { return "Saved " + n + "."; }},
};

void PrintTo(const SaveCommand& command, std::ostream* out) { *out << command.name; }

enum class Fault { None, TargetIsFolder, PathThroughFile, FileSizeLimit };

std::string faultName(Fault fault) {
    switch (fault) {
        case Fault::None: return "Succeeds";
        case Fault::TargetIsFolder: return "TargetIsFolder";
        case Fault::PathThroughFile: return "PathThroughFile";
        case Fault::FileSizeLimit: return "FileSizeLimit";
    }
    return "?";
}

void PrintTo(Fault fault, std::ostream* out) { *out << faultName(fault); }

// Far below what any of the commands writes (256 bytes for one sprite at least).
constexpr std::size_t SIZE_LIMIT = 64;

const Bytes OLD_CONTENT = {'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 0, 1, 2, 0xFF};

// Everything in the folder: each entry's relative name with its bytes, or a mark for a folder.
std::map<std::string, std::string> folderSnapshot(const QString& folder) {
    std::map<std::string, std::string> entries;
    const fs::path root(folder.toStdString());
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            entries[name] = "<folder>";
        } else {
            const Bytes bytes = readBytes(QString::fromStdString(entry.path().string()));
            entries[name] = std::string(bytes.begin(), bytes.end());
        }
    }
    return entries;
}

class FailedSave : public testing_support::SessionTest,
                   public ::testing::WithParamInterface<std::tuple<SaveCommand, Fault>> {
protected:
    const SaveCommand& command() const { return std::get<0>(GetParam()); }
    Fault fault() const { return std::get<1>(GetParam()); }

    // Gives each command something to write: a listing in the output area, and a
    // fixed 256 x 192 export region.
    void prepare() {
        if (command().button == Control::GadgetSaveAsm) commands().handleMenu(ui::PopupOutputGenerate);
        if (command().button == Control::GadgetExportBmp) window().setControlState(Control::GadgetResize, 1);
        window().setStatus(UNTOUCHED_STATUS, 0);
    }

    // What the command showed last: the status text, or the last box for "Save ASM".
    QString shown() {
        if (command().button != Control::GadgetSaveAsm) return window().statusText();
        const auto boxes = dialogs.callsOf(app::DialogCall::Kind::Message);
        return boxes.empty() ? QString() : boxes.back().title + QLatin1Char('|') + boxes.back().text;
    }

    void press(const QString& target) {
        if (command().asksForName) dialogs.answerSaveFile(target);
        window().button(command().button)->click();
    }
};

TEST_P(FailedSave, LosesNothingAndSaysSo) {
    prepare();
    QString target = path(command().target);
    switch (fault()) {
        case Fault::None:
        case Fault::FileSizeLimit:
            writeBytes(target, OLD_CONTENT);
            break;
        case Fault::TargetIsFolder:
            ASSERT_TRUE(QDir(dir.path()).mkdir(command().target));
            break;
        case Fault::PathThroughFile:
            if (!command().asksForName) GTEST_SKIP() << "the colour list is always written in the working folder";
            writeBytes(path("blocker"), OLD_CONTENT);
            target = path("blocker") + QLatin1Char('/') + QString::fromLatin1(command().target);
            break;
    }
    const auto before = folderSnapshot(dir.path());
    const QString title = window().windowTitle();
    const QString failure = command().failureText(target);
    const QString success = command().successText(target);

    if (fault() == Fault::None) {
        press(target);
        EXPECT_EQ(shown(), success);
        const Bytes written = readBytes(target);
        EXPECT_GT(written.size(), SIZE_LIMIT);
        EXPECT_NE(written, OLD_CONTENT);
        return;
    }

    if (fault() == Fault::FileSizeLimit) {
#ifdef __unix__
        // The window state the child ends with dies with it: it reports by exit code.
        const int code = testing_support::runUnderFileSizeLimit(SIZE_LIMIT, [&] {
            press(target);
            if (shown() != failure) return 1;
            if (window().windowTitle() != title) return 2;
            return 0;
        });
        EXPECT_EQ(code, 0) << "1: the failure text was not shown, 2: the title changed as after a save";
#else
        GTEST_SKIP() << "needs fork and setrlimit";
#endif
    } else {
        press(target);
        EXPECT_EQ(shown(), failure);
        EXPECT_EQ(window().windowTitle(), title);
        for (const app::DialogCall& call : dialogs.callsOf(app::DialogCall::Kind::Message))
            EXPECT_NE(call.title + QLatin1Char('|') + call.text, success);
    }
    EXPECT_EQ(folderSnapshot(dir.path()), before) << "the folder changed: a replaced file or a temporary one left";
}

INSTANTIATE_TEST_SUITE_P(
    EverySaveCommand, FailedSave,
    ::testing::Combine(::testing::ValuesIn(SAVE_COMMANDS),
                       ::testing::Values(Fault::None, Fault::TargetIsFolder, Fault::PathThroughFile,
                                         Fault::FileSizeLimit)),
    [](const ::testing::TestParamInfo<FailedSave::ParamType>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + faultName(std::get<1>(info.param));
    });

}  // namespace
