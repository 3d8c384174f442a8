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

}  // namespace app
