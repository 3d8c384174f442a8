#pragma once
// The words the window shows for the file commands: dialog titles and filters, status
// texts, message boxes and window titles. They are the program's exact words, kept
// here so the plain libraries hold none; the commands choose among them by the
// outcome those libraries report.

#include <QString>

#include "model/result.h"

namespace app {

// "Viroror " + the version, e.g. "Viroror v0.4.8b": the window title at start-up, the
// start of the titles below and of the "About" text.
QString titlePrefix();

// ---- Sprite files: dialogs -----------------------------------------------------------
inline constexpr const char* LOAD_SPRITE_DIALOG_TITLE = "Load sprite";
inline constexpr const char* LOAD_SPRITE_DIALOG_FILTER = "SPR files|*.spr";
inline constexpr const char* SAVE_SPRITE_DIALOG_TITLE = "Save sprite";  // save all and save range
inline constexpr const char* SAVE_SPRITE_DIALOG_FILTER = "*.spr";
inline constexpr const char* QUICK_SAVE_DIALOG_TITLE = "Pick quick save";
inline constexpr const char* QUICK_SAVE_DIALOG_FILTER = "*.*";
inline constexpr const char* EXPORT_SPRITE_DIALOG_TITLE = "Save current sprite...";
inline constexpr const char* EXPORT_SPRITE_DIALOG_FILTER = "Sprite|*.spr";

// ---- Sprite files: status and message texts ------------------------------------------
inline constexpr const char* LOAD_FAILED_STATUS = "Failed to load - Could not load sprites";  // progress 100
inline constexpr const char* LOAD_SUCCESS_TITLE = "Success";
inline constexpr const char* SAVE_FAILED_STATUS = "Failed - Could not save sprites";  // progress 100

// "Loaded " + n + " sprite(s)." (message box titled LOAD_SUCCESS_TITLE)
QString loadedMessageText(int sprites);
// "Success - Loaded " + n + " sprite(s)." (progress 0)
QString loadedStatusText(int sprites);
// "Success - Saved sprite sheet " + n (progress 100), save all and save range
QString savedSheetStatusText(int sprites);
// "Saving :" + name (progress 0), shown before a quick save writes
QString quickSavingStatusText(const QString& name);
// "Quick saved as :" + name (progress 0)
QString quickSavedStatusText(const QString& name);
// "Failed - saved as :" + name (progress 100)
QString quickSaveFailedStatusText(const QString& name);
// "Saved " + name / "Failed to save " + name (progress 0), the sprite export
QString exportedStatusText(const QString& name);
QString exportFailedStatusText(const QString& name);
// Window titles: titlePrefix() + " - file : " + name after a load or quick save,
// titlePrefix() + " - Saved : " + name after save all or save range.
QString fileWindowTitle(const QString& name);
QString savedWindowTitle(const QString& name);

// ---- "Save ASM" and the clipboard ----------------------------------------------------
inline constexpr const char* SAVE_ASM_DIALOG_TITLE = "Save ASM output";
inline constexpr const char* SAVE_ASM_DEFAULT_NAME = "export.asm";
inline constexpr const char* SAVE_ASM_DIALOG_FILTER = ".asm";
inline constexpr const char* SAVE_ASM_MESSAGE_TITLE = "Save";
inline constexpr const char* SAVE_ASM_COMPLETE_TEXT = "Save complete.";
inline constexpr const char* SAVE_ASM_FAILED_TEXT = "Save failed.";
inline constexpr const char* COPIED_SELECTION_STATUS = "Copied selection to clipboard";

// ---- The palette file ------------------------------------------------------------------
// The message box shown when the palette file cannot be read; the program then ends.
inline constexpr const char* PALETTE_LOAD_ERROR_TITLE = "ERROR!";
inline constexpr const char* PALETTE_LOAD_ERROR_TEXT = "Cannot load r3g3b2.txt palette!";

// ---- The "Palette" page ------------------------------------------------------------------
inline constexpr const char* LOAD_PALETTE_DIALOG_TITLE = "Load palette";
inline constexpr const char* LOAD_PALETTE_DIALOG_FILTER =
    "Palette files|*.pal;*.nxp;*.npl;*.gpl;*.jasc|All files|*.*";
inline constexpr const char* SAVE_PALETTE_DIALOG_TITLE = "Save palette";
// One pair per layout, in the order of PaletteFormat: the pair chosen picks the layout.
inline constexpr const char* SAVE_PALETTE_DIALOG_FILTER =
    "RGB palette, 768 bytes|*.pal|Next palette, 512 bytes|*.nxp|Next palette with transparent index, 513 bytes|*.npl|"
    "GIMP palette|*.gpl|JASC-PAL palette|*.jasc";
inline constexpr const char* SAVE_DEFAULT_PALETTE_TITLE = "Save as default";
inline constexpr const char* SAVE_DEFAULT_PALETTE_TEXT =
    "This will replace rgb9spreada.pal in the working folder; the next start uses it?";

// "Loaded palette " + name (progress 0)
QString paletteLoadedStatusText(const QString& name);
// Why a file could not be read, by the reader's error kind, as said after its name
// ("cannot be opened (no such file?)"); paletteReadReason adds a palette's own refusals
// ("holds more than 256 colours"). The batch commands and the window share them.
const char* fileReadReason(model::ErrorKind kind);
const char* paletteReadReason(model::ErrorKind kind);
// "Palette not loaded - " + name + " " + the reason + "; the palette is unchanged"
// (progress 100).
QString paletteLoadFailedStatusText(model::ErrorKind kind, const QString& name);
// "Saved palette " + name (progress 0) / "Failed to save palette " + name (progress 100)
QString paletteSavedStatusText(const QString& name);
QString paletteSaveFailedStatusText(const QString& name);

}  // namespace app
