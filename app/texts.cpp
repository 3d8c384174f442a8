#include "app/texts.h"

namespace app {

QString loadedMessageText(int sprites) { return QStringLiteral("Loaded %1 sprite(s).").arg(sprites); }

QString loadedStatusText(int sprites) { return QStringLiteral("Success - ") + loadedMessageText(sprites); }

QString savedSheetStatusText(int sprites) { return QStringLiteral("Success - Saved sprite sheet %1").arg(sprites); }

QString quickSavingStatusText(const QString& name) { return QStringLiteral("Saving :") + name; }

QString quickSavedStatusText(const QString& name) { return QStringLiteral("Quick saved as :") + name; }

QString quickSaveFailedStatusText(const QString& name) { return QStringLiteral("Failed - saved as :") + name; }

QString exportedStatusText(const QString& name) { return QStringLiteral("Saved ") + name; }

QString exportFailedStatusText(const QString& name) { return QStringLiteral("Failed to save ") + name; }

QString fileWindowTitle(const QString& version, const QString& name) {
    return QStringLiteral("Viroror ") + version + QStringLiteral(" - file : ") + name;
}

QString savedWindowTitle(const QString& version, const QString& name) {
    return QStringLiteral("Viroror ") + version + QStringLiteral(" - Saved : ") + name;
}

}  // namespace app
