// Building the main window: window, background, status bar, menu bar, the tab
// panel with its pages and the bottom row, in that order; then the menu and
// shortcut numbers, drops and the close button.
#include "ui/window_main.h"

#include "toolkit/text_spin_box.h"
#include "ui/window_layout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>

#include <functional>
#include <span>
#include <utility>

namespace ui {
namespace {

// The window's client area below the menu bar: a plain grey surface that the
// panel and the bottom row sit on. Painted here rather than through the
// palette so that the pages and controls keep their usual colours.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent) : QWidget(parent) {
        // It covers itself with one colour, so the window need not fill what lies under it.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(BACKGROUND_RED, BACKGROUND_GREEN, BACKGROUND_BLUE));
    }
};

struct MenuItem {
    const char* menu;
    int number;
    const char* caption;
};

constexpr MenuItem MENU_ITEMS[] = {
    {"File", MenuQuit, "Quit"}, {"File", MenuFileAbout, "About"}, {"Edit", MenuCut, "Cut"},
    {"Edit", MenuCopy, "Copy"}, {"Edit", MenuPaste, "Paste"},     {"About", MenuAbout, "About"},
};

// Hands every key press in the application to a function, which may consume it.
class KeyPressWatcher : public QObject {
public:
    KeyPressWatcher(QObject* parent, std::function<bool(QObject*, const QKeyEvent&)> handle)
        : QObject(parent), handle_(std::move(handle)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::KeyPress && handle_(watched, *static_cast<QKeyEvent*>(event));
    }

private:
    std::function<bool(QObject*, const QKeyEvent&)> handle_;
};

QStringList localFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}

}  // namespace

WindowMain::WindowMain(int x, int y, int width, int height, QWidget* parent) : QMainWindow(parent) {
    buildMainWindow(x, y, width, height);
}

WindowMain::~WindowMain() = default;

void WindowMain::buildMainWindow(int x, int y, int width, int height) {
    for (int i = 0; i < FONT_COUNT; ++i) fonts_[static_cast<std::size_t>(i)] = loadFont(static_cast<FontId>(i));

    // A fixed window with a system menu and a minimise box, nothing to resize or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Viroror"));

    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    buildStatusBar();
    buildMenuBar();
    buildTabs(client);
    for (const ControlSpec& entry : bottomRowSpecs()) createControl(entry, client);
    resetPopupOutput();

    // The menu bar sits above the client area, so the window is that much taller.
    menuBar()->setNativeMenuBar(false);
    const int menuHeight =
        menuBar()->hasHeightForWidth() ? menuBar()->heightForWidth(width) : menuBar()->sizeHint().height();
    setFixedSize(width, menuHeight + height);
    centreOnScreen(x, y);
}

void WindowMain::centreOnScreen(int x, int y) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        move(x, y);
        return;
    }
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void WindowMain::buildStatusBar() {
    // One strip holding the three fields side by side at their own widths;
    // the status bar's own spacing would push the last field off the window.
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBarMain"));
    bar->setSizeGripEnabled(false);
    auto* strip = new QWidget(bar);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* caption = new QLabel(QStringLiteral("Status : "), strip);
    caption->setAlignment(Qt::AlignCenter);
    caption->setFixedWidth(STATUS_FIELD_WIDTHS[0]);
    auto* text = new QLabel(QStringLiteral("Ready...."), strip);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text->setFixedWidth(STATUS_FIELD_WIDTHS[1]);
    progress_ = new QProgressBar(strip);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(STATUS_FIELD_WIDTHS[2]);
    row->addWidget(caption);
    row->addWidget(text);
    row->addWidget(progress_);
    bar->addWidget(strip);
    statusFields_[0] = caption;
    statusFields_[1] = text;
}

void WindowMain::setStatus(const QString& text, int progress) {
    statusFields_[1]->setText(text);
    progress_->setValue(std::clamp(progress, 0, 100));
}

QString WindowMain::statusText() const { return statusFields_[1]->text(); }

int WindowMain::statusProgress() const { return progress_->value(); }

QLabel* WindowMain::statusField(int field) const {
    return field >= 0 && field < 2 ? statusFields_[field] : nullptr;
}

void WindowMain::buildMenuBar() {
    QMenu* current = nullptr;
    QString currentTitle;
    for (const MenuItem& item : MENU_ITEMS) {
        if (current == nullptr || currentTitle != QLatin1String(item.menu)) {
            currentTitle = QLatin1String(item.menu);
            current = menuBar()->addMenu(currentTitle);
        }
        QAction* action = current->addAction(QString::fromLatin1(item.caption));
        const int number = item.number;
        connect(action, &QAction::triggered, this, [this, number] { emit menuEvent(number); });
        menuActions_[number] = action;
    }
}

void WindowMain::resetPopupOutput() {
    if (popup_ != nullptr) {
        for (int number : {PopupOutputCopy, PopupOutputGenerate, PopupOutputSelectAll}) menuActions_.erase(number);
        popup_->deleteLater();
    }
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupOutput"));
    const std::pair<int, const char*> items[] = {
        {PopupOutputCopy, "Copy"}, {PopupOutputGenerate, "Generate"}, {PopupOutputSelectAll, "Select All"}};
    for (const auto& [number, caption] : items) {
        QAction* action = popup_->addAction(QString::fromLatin1(caption));
        const int n = number;
        connect(action, &QAction::triggered, this, [this, n] { emit menuEvent(n); });
        menuActions_[n] = action;
    }
}

void WindowMain::showPopupOutput(const QPoint& globalPos) { popup_->popup(globalPos); }

QAction* WindowMain::menuAction(int number) const {
    const auto it = menuActions_.find(number);
    return it == menuActions_.end() ? nullptr : it->second;
}

void WindowMain::buildTabs(QWidget* client) {
    tabs_ = new QTabWidget(client);
    tabs_->setObjectName(QString::fromLatin1(controlName(Control::GadgetTabs).data()));
    tabs_->setGeometry(TABS_X, TABS_Y, TABS_W, TABS_H);
    controls_[static_cast<std::size_t>(Control::GadgetTabs)] = tabs_;
    int index = 0;
    for (const PageSpec& page : pageSpecs()) {
        auto* pageWidget = new QWidget;
        pageWidget->setObjectName(QString::fromLatin1(page.title));
        pages_[static_cast<std::size_t>(index)] = pageWidget;
        if (index == PageDesign) {
            buildPageNow(PageDesign);
        } else {
            // Shown for the first time: the controls go in before the page is painted.
            pageWidget->installEventFilter(this);
        }
        tabs_->addTab(pageWidget, QString::fromLatin1(page.title));
        ++index;
    }
    tabs_->setCurrentIndex(PageDesign);
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this] { emit controlEvent(Control::GadgetTabs, ControlEvent::Change); });
}

namespace {

// The page each control sits on; -1 for the bottom row and the panel itself.
int pageOfControl(Control id) {
    static const std::array<int, CONTROL_COUNT> pages = [] {
        std::array<int, CONTROL_COUNT> of{};
        of.fill(-1);
        int index = 0;
        for (const PageSpec& page : pageSpecs()) {
            for (const ControlSpec& entry : page.controls) of[static_cast<std::size_t>(entry.id)] = index;
            ++index;
        }
        return of;
    }();
    const auto index = static_cast<std::size_t>(id);
    return index < pages.size() ? pages[index] : -1;
}

}  // namespace

bool WindowMain::pageBuilt(int page) const {
    return page >= 0 && page < PAGE_COUNT && pageBuilt_[static_cast<std::size_t>(page)];
}

void WindowMain::buildPageOf(Control id) const {
    const int page = pageOfControl(id);
    if (page >= 0 && !pageBuilt(page)) buildPage(page);
}

void WindowMain::buildPage(int page) const {
    // Building adds children but changes nothing the caller can tell apart from a
    // window that had them all along.
    const_cast<WindowMain*>(this)->buildPageNow(page);
}

void WindowMain::buildPageNow(int page) {
    if (page < 0 || page >= PAGE_COUNT || pageBuilt(page)) return;
    pageBuilt_[static_cast<std::size_t>(page)] = true;
    QWidget* pageWidget = pages_[static_cast<std::size_t>(page)];
    pageWidget->removeEventFilter(this);
    const std::span<const ControlSpec> controls = pageSpecs()[static_cast<std::size_t>(page)].controls;
    // Controls made inside a page already on screen stay hidden until shown.
    const bool onScreen = pageWidget->isVisible();
    for (const ControlSpec& entry : controls) {
        QWidget* widget = createControl(entry, pageWidget);
        if (onScreen && (entry.options & OptHidden) == 0) widget->show();
    }
    if (page == PageDesign) return;
    // New widgets join the end of the window's focus chain; put them back between
    // the pages before and the bottom row, where Tab would reach them had the page
    // been built with the window.
    QWidget* previous = nullptr;
    for (int before = page - 1; before >= 0 && previous == nullptr; --before) {
        if (!pageBuilt(before)) continue;
        const auto earlier = pageSpecs()[static_cast<std::size_t>(before)].controls;
        for (auto it = earlier.rbegin(); it != earlier.rend() && previous == nullptr; ++it) {
            QWidget* widget = controls_[static_cast<std::size_t>(it->id)];
            if (widget->focusPolicy() != Qt::NoFocus) previous = widget;
        }
    }
    for (const ControlSpec& entry : controls) {
        QWidget* widget = controls_[static_cast<std::size_t>(entry.id)];
        if (widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous != nullptr) setTabOrder(previous, widget);
        previous = widget;
    }
    if (startValuesApplied_) applyStartValuesOn(page);
    if (page == PagePreview && !fileListStart_.isEmpty()) showFileListDirectory(std::exchange(fileListStart_, {}));
    if (pageSetup_) pageSetup_(page);
}

void WindowMain::registerShortcut(const QKeySequence& key, int number) {
    const auto existing = shortcutNumbers_.find(key);
    if (existing != shortcutNumbers_.end()) {
        existing->second = number;
        return;
    }
    shortcutNumbers_[key] = number;
    if (key[0].keyboardModifiers().testFlag(Qt::KeypadModifier)) {
        // Qt's xcb platform tries a key against the shortcuts without its keypad
        // modifier, so Ctrl+keypad plus would never match there (and a binding of the
        // main keyboard's Ctrl+plus would take both keys). The key press itself does
        // carry the modifier on every platform: keypad bindings are matched on it, before
        // any widget (a text field would type the "+") sees the press.
        if (keypadWatcher_ == nullptr) {
            keypadWatcher_ = new KeyPressWatcher(this, [this](QObject* receiver, const QKeyEvent& pressed) {
                return raiseKeypadShortcut(receiver, pressed);
            });
            QCoreApplication::instance()->installEventFilter(keypadWatcher_);
        }
        return;
    }
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, key] { emit menuEvent(shortcutNumbers_.at(key)); });
}

bool WindowMain::raiseKeypadShortcut(QObject* receiver, const QKeyEvent& key) {
    if (!key.modifiers().testFlag(Qt::KeypadModifier)) return false;
    // A press reaches the filter once for the platform window and then for each widget
    // it travels up through; only the first widget of this window counts.
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (widget == nullptr || widget->window() != this) return false;
    const auto bound = shortcutNumbers_.find(QKeySequence(key.keyCombination()));
    if (bound == shortcutNumbers_.end()) return false;
    emit menuEvent(bound->second);
    return true;
}

int WindowMain::shortcutNumber(const QKeySequence& key) const {
    const auto it = shortcutNumbers_.find(key);
    return it == shortcutNumbers_.end() ? -1 : it->second;
}

void WindowMain::keepShortcutsFrom(QWidget* widget) { widget->installEventFilter(this); }

bool WindowMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        for (int page = 0; page < PAGE_COUNT; ++page)
            if (watched == pages_[static_cast<std::size_t>(page)]) buildPageNow(page);
        break;
    case QEvent::ShortcutOverride: {
        // Text fields claim Ctrl+C, Ctrl+A, Ctrl+Left and the like for their own
        // editing; the editor's shortcuts act on the sprite wherever the focus is.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (shortcutNumbers_.count(pressed) != 0) {
            event->ignore();
            return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (watched == controls_[static_cast<std::size_t>(Control::GadgetImportCanvas)]) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!localFiles(drag->mimeData()).isEmpty()) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        break;
    case QEvent::Drop:
        if (watched == controls_[static_cast<std::size_t>(Control::GadgetImportCanvas)]) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = localFiles(drop->mimeData());
            if (files.isEmpty()) {
                drop->ignore();
                return true;
            }
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            emit filesDropped(files);
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void WindowMain::closeEvent(QCloseEvent* event) {
    closeIgnored_ = false;
    emit closeRequested();
    if (closeIgnored_) {
        event->ignore();
    } else {
        event->accept();
    }
}

QSize WindowMain::clientSize() const { return QSize(width(), height() - menuBar()->height()); }

namespace {

struct SpinStart {
    Control id;
    int value;
    const char* text;  // shown after the value; where they differ the text is the setting
};

constexpr SpinStart SPIN_STARTS[] = {
    {Control::GadgetRangeFrom, 0, "0"},         {Control::GadgetRangeTo, 0, "63"},
    {Control::GadgetGrabX, 0, "0"},             {Control::GadgetGrabY, 0, "0"},
    {Control::GadgetResizeWidth, 256, "256"},   {Control::GadgetResizeHeight, 256, "256"},
    {Control::GadgetGrabHeight, 1, "1"},        {Control::GadgetGrabWidth, 1, "1"},
    {Control::GadgetAnimFrame, 1, "1"},         {Control::GadgetAnimCount, 1, "1"},
    {Control::GadgetAnimDelay, 100, "100"},     {Control::GadgetSheetWidth, 1, "16"},
    {Control::GadgetSheetCount, 1, "64"},       {Control::GadgetBank, 0, "0"},
};

}  // namespace

void WindowMain::applyStartValues() {
    startValuesApplied_ = true;
    applyStartValuesOn(-1);
    for (int page = 0; page < PAGE_COUNT; ++page)
        if (pageBuilt(page)) applyStartValuesOn(page);
}

// The start values of the controls on one page (-1: the bottom row); a page built
// later gets its own when it is built.
void WindowMain::applyStartValuesOn(int page) {
    const auto onPage = [page](Control id) { return pageOfControl(id) == page; };
    for (Control id : {Control::GadgetLeftColourIndex, Control::GadgetRightColourIndex})
        if (onPage(id)) setControlText(id, QStringLiteral("0"));
    for (const SpinStart& start : SPIN_STARTS) {
        if (!onPage(start.id)) continue;
        spinBox(start.id)->setValue(start.value);
        spinBox(start.id)->setText(QString::fromLatin1(start.text));
    }
    for (Control slider : {Control::GadgetResizeWidthSlider, Control::GadgetResizeHeightSlider}) {
        if (!onPage(slider)) continue;
        setControlRange(slider, trackBar(slider)->minimum(), IMPORT_CANVAS_WIDTH);
        setControlState(slider, 256);
    }
}

}  // namespace ui
