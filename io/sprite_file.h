#pragma once
// The raw sprite pattern file (".spr"): sprites of 256 bytes one after the other, no
// header, byte y * 16 + x of a sprite the pixel at column x, row y - the sheet's own
// layout. Loading, the three sheet saves and the single-sprite export.
//
// These functions change the model and write files; the window shows the dialogs,
// chooses its texts by the outcome and redraws. Every write goes through
// writeFileReplacing, so a failed save leaves the old file as it was.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "model/result.h"
#include "model/sprite_model.h"

namespace io {

// ---- The extension rule --------------------------------------------------------------
// Save all and save range: a name whose last four characters are not ".spr" in any mix
// of case gets ".SPR" appended as typed (a.Spr stays, a.sp -> a.sp.SPR, a -> a.SPR).
std::filesystem::path withSpriteExtension(const std::filesystem::path& name);

// ---- Loading ----------------------------------------------------------------------
// The first maxBytes bytes of a file (fewer when it is shorter). Fails with NotAFile for
// a folder, NotFound when the file cannot be opened and Unreadable when reading fails.
// Nothing past maxBytes is ever read.
model::Result<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path, std::size_t maxBytes);

// Reads up to 64 sprites from the start of the file into the sheet and gives the number
// of sprites read (1 to 64). A final partial sprite is completed with 0; every byte of
// sprites 1 to 64 after the last one read is 255; the room after sprite 64 is not
// touched. A 4-bit sheet reads the file as packed 128-byte sprites instead, up to 128
// of them, completed the same way (0 nibbles, then 255 bytes: value 15). Then currentSprite = 1, spriteCount = sprites read, the grid holds sprite 1
// and the undo history restarts on it.
// No name (NoName), a file that cannot be opened or read (readFileStart's kinds) or one
// that holds no bytes (Empty) changes nothing at all.
// Only the first 16,384 bytes are ever read, whatever the file's size.
model::Result<int> loadSpriteSheet(model::SpriteModel& model, const std::filesystem::path& path);

// ---- Saving -----------------------------------------------------------------------
// What a successful save wrote.
struct SavedSprites {
    std::filesystem::path path;  // the file written, after any extension rule
    int sprites = 0;             // sprites written
};

// Every save fails with NoName for an empty name and with writeFileReplacing's kinds
// when the file cannot be written; a failed save leaves any former file as it was.

// "Save All Sprites": stores the grid, then writes sprites 1 to spriteCount to
// withSpriteExtension(chosen).
model::Result<SavedSprites> saveAllSprites(model::SpriteModel& model, const std::filesystem::path& chosen);

// "Save Range": first and last are the 0-based sprite numbers of the range fields.
// Stores the grid, clamps both to the sheet (0..63, 0..127 on a 4-bit one) and writes sprites first + 1 to last + 1 to
// withSpriteExtension(chosen). A range whose last is below its first writes nothing
// and fails with EmptyRange.
model::Result<SavedSprites> saveSpriteRange(model::SpriteModel& model, const std::filesystem::path& chosen, int first, int last);

// "Quick Save": stores the grid, then writes sprites 1 to spriteCount to exactly name
// (no extension added), replacing the whole former content.
model::Result<SavedSprites> quickSave(model::SpriteModel& model, const std::filesystem::path& name);

// "Export Sprite": the 256 grid cells (low 8 bits), row by row, to exactly name; on a
// 4-bit sheet the 128 packed bytes.
//
// On a 4-bit sheet every save writes packed 128-byte sprites (see sprite_depth.h).
model::Result<SavedSprites> exportSprite(const model::SpriteModel& model, const std::filesystem::path& name);

}  // namespace io
