#pragma once
// The batch commands: the same program run from a Makefile, without a window.
//
//   viroror import PICTURE -o SHEET.spr [--9bit] [--grab X,Y,COLUMNS,ROWS] [--palette FILE]
//   viroror listing SHEET.spr -o OUT.asm [--label NAME] [--count N]
//   viroror colours SHEET.spr -o colors.pal [--palette FILE]
//   viroror bitmap PICTURE -o OUT.bmp [--9bit]
//   viroror sheet SHEET.spr -o OUT.png [--scale N] [--columns N] [--palette FILE]
//   viroror --help | --version
//
// Each writes the bytes the window writes for the same input with its start settings
// (the shared work lives in imaging/ and io/), through the same safe replacement.
// Exit status 0 on success; 1 on a failure, with one line on standard error naming
// the file and the reason and no output written; 2 on a usage error, with the usage.

#include <QStringList>

namespace app {

// Exit statuses.
inline constexpr int BATCH_OK = 0;
inline constexpr int BATCH_FAILED = 1;
inline constexpr int BATCH_USAGE = 2;

// Runs the command named by arguments[1] (arguments[0] is the program). A default
// palette is looked for in shippedDir when neither --palette nor the current folder
// gives one. Needs no application object and never creates a GUI one.
int runBatch(const QStringList& arguments, const QString& shippedDir);

}  // namespace app
