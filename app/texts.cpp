#include "app/texts.h"

#include "app/version.h"

namespace app {

QString titlePrefix() { return QStringLiteral("Viroror ") + QString::fromLatin1(VERSION_TEXT); }

QString loadedMessageText(int sprites) { return QStringLiteral("Loaded %1 sprite(s).").arg(sprites); }

QString loadedStatusText(int sprites) { return QStringLiteral("Success - ") + loadedMessageText(sprites); }

QString savedSheetStatusText(int sprites) { return QStringLiteral("Success - Saved sprite sheet %1").arg(sprites); }

QString quickSavingStatusText(const QString& name) { return QStringLiteral("Saving :") + name; }

QString quickSavedStatusText(const QString& name) { return QStringLiteral("Quick saved as :") + name; }

QString quickSaveFailedStatusText(const QString& name) { return QStringLiteral("Failed - saved as :") + name; }

QString exportedStatusText(const QString& name) { return QStringLiteral("Saved ") + name; }

QString exportFailedStatusText(const QString& name) { return QStringLiteral("Failed to save ") + name; }

QString fileWindowTitle(const QString& name) { return titlePrefix() + QStringLiteral(" - file : ") + name; }

QString savedWindowTitle(const QString& name) { return titlePrefix() + QStringLiteral(" - Saved : ") + name; }

QString paletteLoadedStatusText(const QString& name) { return QStringLiteral("Loaded palette ") + name; }

const char* fileReadReason(model::ErrorKind kind) {
    switch (kind) {
        case model::ErrorKind::NotFound: return "cannot be opened (no such file?)";
        case model::ErrorKind::NotAFile: return "is a folder, not a file";
        case model::ErrorKind::Empty: return "holds no sprites";
        case model::ErrorKind::TooLarge: return "is too large";
        default: return "cannot be read";
    }
}

const char* paletteReadReason(model::ErrorKind kind) {
    switch (kind) {
        case model::ErrorKind::Empty: return "holds no colours";
        case model::ErrorKind::TooManyEntries: return "holds more than 256 colours";
        case model::ErrorKind::Malformed: return "is not a palette file in a layout this program reads";
        default: return fileReadReason(kind);
    }
}

QString paletteLoadFailedStatusText(model::ErrorKind kind, const QString& name) {
    return QStringLiteral("Palette not loaded - %1 %2; the palette is unchanged")
        .arg(name, QString::fromLatin1(paletteReadReason(kind)));
}

QString paletteSavedStatusText(const QString& name) { return QStringLiteral("Saved palette ") + name; }

QString paletteSaveFailedStatusText(const QString& name) { return QStringLiteral("Failed to save palette ") + name; }

}  // namespace app
