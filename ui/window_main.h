#pragma once
// The one window of the editor: menu bar, status bar, the six-page tab panel
// and the row of buttons under it, every control at its fixed position and
// size (see window_layout.cpp). The window does not know what its controls
// do: it raises every user action as a signal and leaves the rest to the
// command table.
//
// Events out:
//   menuEvent(number)             menu items, pop-up items and keyboard shortcuts
//   controlEvent(control, event)  clicks, double clicks, edits, slider moves, page changes
//   canvasEvent(control, event)   mouse events of the canvases
//   filesDropped(files)           files dropped on GadgetImportCanvas
//   closeRequested()              the close button; call ignoreClose() from a slot to keep the window
//   outputContextMenuRequested(globalPos)  a context menu asked for over GadgetAsmText
// Only the user's actions raise events: the setters below change controls
// silently, so a command that writes a control does not call itself again.
//
// Client area: the area under the menu bar, CLIENT_WIDTH x CLIENT_HEIGHT,
// holding the panel, the bottom row and, along its lower edge, the status bar.
//
// Only the "Design" page and the bottom row are built with the window, since they
// are all the first frame shows; every other page gets its controls when it is
// first shown or when any of them is first asked for by name (control(), the typed
// accessors, the text and state setters), whichever comes first. The controls are
// then exactly as if they had been built with the window, start values included.
#include "toolkit/canvas_event.h"
#include "ui/control_ids.h"
#include "ui/fonts.h"

#include <QMainWindow>
#include <QKeySequence>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>

class QAbstractButton;
class QAction;
class QFileSystemModel;
class QIcon;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSlider;
class QTabWidget;
class QTreeView;

namespace toolkit {
class Canvas;
class TextSpinBox;
}

namespace ui {

struct ControlSpec;

class WindowMain : public QMainWindow {
    Q_OBJECT
public:
    // Builds the whole window (buildMainWindow). width and height give the
    // client area; the window is centred on the screen, so x and y only
    // matter where there is no screen to centre on.
    explicit WindowMain(int x = 0, int y = 0, int width = CLIENT_WIDTH, int height = CLIENT_HEIGHT,
                        QWidget* parent = nullptr);
    ~WindowMain() override;

    // --- Controls by name. The typed accessors return nullptr for a control of another kind.
    QWidget* control(Control id) const;
    toolkit::Canvas* canvas(Control id) const;
    QAbstractButton* button(Control id) const;  // buttons, image buttons, check boxes, option buttons
    QLabel* label(Control id) const;            // text labels and the image box
    QLineEdit* textField(Control id) const;
    toolkit::TextSpinBox* spinBox(Control id) const;
    QSlider* trackBar(Control id) const;
    QPlainTextEdit* textArea(Control id) const;
    QTabWidget* tabs() const { return tabs_; }
    QTreeView* fileList() const;
    QFileSystemModel* fileModel() const;

    // Runs after a page other than "Design" has got its controls, with the page's
    // index: the place for the first drawing on the page's canvases.
    void setPageSetup(std::function<void(int page)> setup) { pageSetup_ = std::move(setup); }
    bool pageBuilt(int page) const;
    // Whether a control exists yet; unlike control(), never builds its page.
    bool controlBuilt(Control id) const;

    // Text of a control: caption, label or field text, a spin box's shown
    // text, the listing's plain text, the file list's directory.
    QString controlText(Control id) const;
    void setControlText(Control id, const QString& text);
    // State of a control: 1/0 for toggles, check boxes and option buttons, the
    // position of a track bar, the value of a spin box, the page of the panel,
    // the selected row of the file list (-1 for none); 0 for the rest.
    int controlState(Control id) const;
    void setControlState(Control id, int state);
    // Range of a spin box or track bar.
    void setControlRange(Control id, int minimum, int maximum);
    // The picture of an image box (a null image clears it).
    void setImage(Control id, const QImage& image);
    // Replaces the icon of an image button.
    void setButtonIcon(Control id, const QIcon& icon);
    // One of the four fonts the controls use.
    const QFont& programFont(FontId id) const;

    // --- Status bar StatusBarMain.
    // Writes the text into field 1 and sets the progress bar of field 2 (0 to 100).
    void setStatus(const QString& text, int progress);
    QString statusText() const;
    int statusProgress() const;
    QLabel* statusField(int field) const;  // fields 0 and 1
    QProgressBar* statusProgressBar() const { return progress_; }

    // --- Menus, pop-up and shortcuts.
    // The action raising a menu or pop-up number, nullptr for an unknown one.
    QAction* menuAction(int number) const;
    // PopupOutput with "Copy", "Generate", "Select All". resetPopupOutput()
    // replaces it by a fresh one, as clearing the sheet does.
    QMenu* popupOutput() const { return popup_; }
    void resetPopupOutput();
    void showPopupOutput(const QPoint& globalPos);
    // Binds a key combination to a menu number. Binding a combination again
    // replaces its number, so each combination raises exactly one event.
    // The window's shortcuts win over the editing keys of its text fields.
    // A combination with Qt::KeypadModifier is matched on the key press itself,
    // since Qt's shortcut matching on X11 leaves the keypad modifier out.
    void registerShortcut(const QKeySequence& key, int number);
    int shortcutNumber(const QKeySequence& key) const;  // -1 when not bound
    int shortcutCount() const { return static_cast<int>(shortcutNumbers_.size()); }

    // --- Start-up.
    // The controls' first values (value, then shown text), in the start-up order.
    void applyStartValues();
    // Points GadgetFileList at a directory, listing the "*.spr*" files in it.
    void showFileListDirectory(const QString& directory);
    // The directory the file list shows, ending in a path separator.
    QString fileListDirectory() const;
    // Name (without directory) of the file list's selected entry, "" for none.
    QString selectedFileName() const;
    int selectedFileRow() const;  // -1 for none

    // Size of the client area: the window minus its menu bar.
    QSize clientSize() const;
    // Keeps the window open; call from a slot of closeRequested().
    void ignoreClose() { closeIgnored_ = true; }

signals:
    void menuEvent(int number);
    void controlEvent(ui::Control control, ui::ControlEvent event);
    void canvasEvent(ui::Control control, const toolkit::CanvasEvent& event);
    void filesDropped(const QStringList& files);
    void closeRequested();
    void outputContextMenuRequested(const QPoint& globalPos);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMainWindow(int x, int y, int width, int height);
    void buildStatusBar();
    void buildMenuBar();
    void buildTabs(QWidget* client);
    // Gives a page its controls, once; callable from the const accessors, since
    // building is invisible to the caller.
    void buildPage(int page) const;
    void buildPageNow(int page);
    void buildPageOf(Control id) const;
    void applyStartValuesOn(int page);
    QWidget* createControl(const ControlSpec& entry, QWidget* parent);
    QWidget* createFileList(QWidget* parent);
    void connectControl(const ControlSpec& entry, QWidget* widget);
    void keepShortcutsFrom(QWidget* widget);
    // Raises the number bound to a keypad key pressed in this window; true when it did.
    bool raiseKeypadShortcut(QObject* receiver, const QKeyEvent& key);
    void centreOnScreen(int x, int y);

    std::array<QWidget*, CONTROL_COUNT> controls_{};
    std::array<QWidget*, PAGE_COUNT> pages_{};
    std::array<bool, PAGE_COUNT> pageBuilt_{};
    std::function<void(int)> pageSetup_;
    bool startValuesApplied_ = false;
    QString fileListStart_;  // the directory named before the file list was built
    std::array<QFont, FONT_COUNT> fonts_;
    QTabWidget* tabs_ = nullptr;
    QTreeView* fileList_ = nullptr;
    QFileSystemModel* fileModel_ = nullptr;
    QLabel* statusFields_[2] = {nullptr, nullptr};
    QProgressBar* progress_ = nullptr;
    QMenu* popup_ = nullptr;
    std::map<int, QAction*> menuActions_;
    std::map<QKeySequence, int> shortcutNumbers_;
    QObject* keypadWatcher_ = nullptr;
    bool closeIgnored_ = false;
};

}  // namespace ui
