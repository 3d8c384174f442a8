// Every save command while the write fails for real (target a folder, path through a
// file, a write-protected target, or a file size limit in a forked child): the folder
// stays exactly as it was and the user sees the failure text. (What each writes without
// a fault, and says: the command rows test.)
#include <map>
#include <tuple>

#include "session_fixture.h"

using namespace testing_support;

namespace {

// "%1" stands for the full name answered in the dialog; "Save|..." texts are message boxes.
struct SaveCommand {
    const char *name;
    Control button;
    const char *target, *failure;
};

const SaveCommand SAVE_COMMANDS[] = {
    {"SaveAll", Control::GadgetSaveAll, "sheet.spr", "Failed - Could not save sprites"},
    {"SaveRange", Control::GadgetSaveRange, "range.spr", "Failed - Could not save sprites"},
    {"QuickSave", Control::GadgetQuickSave, "quick.bin", "Failed - saved as :%1"},
    {"ExportSprite", Control::GadgetExportSprite, "one.spr", "Failed to save %1"},
    {"SaveColourPal", Control::GadgetSavePalette, "colors.pal", "Failed to save colors.pal"},
    {"SaveAsm", Control::GadgetSaveAsm, "listing.asm", "Save|Save failed."},
    {"ExportBmp", Control::GadgetExportBmp, "picture.bmp", "Failed to save %1"},
};

enum class Fault { TargetIsFolder, PathThroughFile, ReadOnlyTarget, FileSizeLimit };
const char* const FAULT_NAMES[] = {"TargetIsFolder", "PathThroughFile", "ReadOnlyTarget", "FileSizeLimit"};
void PrintTo(const SaveCommand& command, std::ostream* out) { *out << command.name; }
void PrintTo(Fault fault, std::ostream* out) { *out << FAULT_NAMES[static_cast<int>(fault)]; }

constexpr std::size_t SIZE_LIMIT = 64;  // below the least any command writes (one sprite)
const Bytes OLD_CONTENT = {'o', 'l', 'd', 0, 1, 2, 0xFF};

// Each entry's relative name with its bytes, or "/" for a folder.
std::map<std::string, std::string> folderSnapshot(const QString& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    const fs::path root(folder.toStdString());
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const Bytes bytes = entry.is_directory() ? Bytes{'/'} : support::readBytes(entry.path());
        entries[fs::relative(entry.path(), root).string()] = std::string(bytes.begin(), bytes.end());
    }
    return entries;
}

class FailedSave : public SessionTest,
                   public ::testing::WithParamInterface<std::tuple<SaveCommand, Fault>> {};

TEST_P(FailedSave, LosesNothingAndSaysSo) {
    const auto& [command, fault] = GetParam();
    const bool asksForName = command.button != Control::GadgetSavePalette;
    const bool isAsm = command.button == Control::GadgetSaveAsm;
    if (isAsm) {  // something to save; the pop-up's Generate runs on the listing worker
        commands().handleMenu(ui::PopupOutputGenerate);
        ASSERT_TRUE(spinUntil([&] { return !program().state.listingRunning; }));
    }
    if (command.button == Control::GadgetExportBmp) window().setControlState(Control::GadgetResize, 1);
    window().setStatus("status before the save", 0);
    QString target = path(command.target);
    if (fault == Fault::TargetIsFolder) {
        ASSERT_TRUE(QDir(dir.path()).mkdir(command.target));
    } else if (fault == Fault::PathThroughFile) {
        if (!asksForName) GTEST_SKIP() << "the colour list is always written in the working folder";
        writeBytes(path("blocker"), OLD_CONTENT);
        target = path("blocker/") + command.target;
    } else {
        writeBytes(target, OLD_CONTENT);
        // No write bit for anyone: kept even when the tests run as an administrator.
        if (fault == Fault::ReadOnlyTarget) {
            ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        }
    }
    const auto before = folderSnapshot(dir.path());
    const QString title = window().windowTitle();
    const auto expand = [&](const char* text) { return QString::fromLatin1(text).replace("%1", target); };
    // 0 when the command showed the text and left the title alone (the child reports by its exit code).
    const auto pressAndCheck = [&](const QString& expected) {
        if (asksForName) dialogs.answerSaveFile(target);
        press(command.button);
        const QString shown = isAsm ? lastDialog() : window().statusText();
        EXPECT_EQ(shown.toStdString(), expected.toStdString()) << "(in the child, the exit code says so too)";
        return shown != expected ? 1 : window().windowTitle() != title ? 2 : 0;
    };
#ifdef __unix__
    const int code = fault == Fault::FileSizeLimit
                         ? support::runWithFileSizeLimit(SIZE_LIMIT, [&] { return pressAndCheck(expand(command.failure)); })
                         : pressAndCheck(expand(command.failure));
    EXPECT_EQ(code, 0) << "1: the failure text was not shown, 2: the title changed as after a save";
#else
    if (fault == Fault::FileSizeLimit) GTEST_SKIP() << "needs fork and setrlimit";
    EXPECT_EQ(pressAndCheck(expand(command.failure)), 0);
#endif
    EXPECT_EQ(folderSnapshot(dir.path()), before) << "a replaced file or a temporary one left";
}

INSTANTIATE_TEST_SUITE_P(
    EverySaveCommand, FailedSave,
    ::testing::Combine(::testing::ValuesIn(SAVE_COMMANDS),
                       ::testing::Values(Fault::TargetIsFolder, Fault::PathThroughFile, Fault::ReadOnlyTarget,
                                         Fault::FileSizeLimit)),
    [](const auto& test) {
        return std::string(std::get<0>(test.param).name) + "_" + FAULT_NAMES[static_cast<int>(std::get<1>(test.param))];
    });

}  // namespace
