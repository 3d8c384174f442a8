// Creating the window's controls from their layout rows, wiring their user
// actions to controlEvent, and reading and writing them by name.
#include "toolkit/canvas.h"
#include "toolkit/text_spin_box.h"
#include "ui/window_layout.h"
#include "ui/window_main.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <QValidator>

#include <algorithm>

namespace ui {
namespace {

constexpr int ICON_SIDE = 24;
constexpr int SUNKEN_LINE_WIDTH = 2;
constexpr int CAPTION_BUTTON_MARGIN = 5;
constexpr int MIN_CAPTION_STRETCH = 70;

bool has(const ControlSpec& entry, ControlOption option) { return (entry.options & option) != 0; }

// A numeric field takes the digits 0 to 9 and nothing else. Checked by hand: a
// regular expression would load and compile the expression engine at start-up,
// which costs the window a few hundred KiB and its first frame time.
class DigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        const bool digits = std::all_of(input.cbegin(), input.cend(),
                                        [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
        return digits ? Acceptable : Invalid;
    }
};

// Frames only decorate: they sit behind the controls they surround and let
// every mouse event through to them.
QWidget* createFrame(const ControlSpec& entry, QWidget* parent) {
    QWidget* frame = nullptr;
    if (has(entry, OptSunken)) {
        auto* f = new QFrame(parent);
        f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        f->setLineWidth(SUNKEN_LINE_WIDTH);
        frame = f;
    } else if (has(entry, OptFlat)) {
        auto* f = new QFrame(parent);
        f->setFrameStyle(QFrame::Box | QFrame::Plain);
        f->setLineWidth(1);
        frame = f;
    } else {
        frame = new QGroupBox(QString::fromLatin1(entry.text), parent);
    }
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

// Captions were measured against a narrow system font; where the font here
// runs wider, the caption is narrowed (same height) rather than cut off.
void fitCaption(QWidget* widget, const ControlSpec& entry) {
    const QString text = widget->property("text").toString();
    if (text.isEmpty()) return;
    int room = entry.w;
    if (entry.kind == ControlKind::Button) {
        room -= 2 * CAPTION_BUTTON_MARGIN;
    } else if (entry.kind == ControlKind::CheckBox || entry.kind == ControlKind::OptionButton) {
        room -= widget->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
                widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget) +
                CAPTION_BUTTON_MARGIN;
    }
    QFont font = widget->font();
    const int need = QFontMetrics(font).horizontalAdvance(text);
    if (need <= room || room <= 0) return;
    const int stretch = font.stretch() > 0 ? font.stretch() : 100;
    font.setStretch(std::max(MIN_CAPTION_STRETCH, stretch * room / need));
    widget->setFont(font);
}

bool pictureSurface(const ControlSpec& entry) {
    return entry.id == Control::GadgetImportCanvas && has(entry, OptSunken);
}

}  // namespace

QWidget* WindowMain::createControl(const ControlSpec& entry, QWidget* parent) {
    const QString text = QString::fromLatin1(entry.text);
    QWidget* widget = nullptr;
    switch (entry.kind) {
    case ControlKind::Canvas: {
        toolkit::CanvasOptions options;
        options.sunken = has(entry, OptSunken);
        options.captured = has(entry, OptCaptured);
        options.keyboard = has(entry, OptKeyboard);
        // The import canvas has pictures written straight into its rows.
        options.fullColour = entry.id == Control::GadgetImportCanvas;
        // The import canvas holds pictures measured in its own pixels (512 x 384
        // for import, grab and export), so its sunken edge goes around that
        // surface instead of eating into it.
        const int edge = pictureSurface(entry) ? 2 * toolkit::Canvas::SUNKEN_EDGE : 0;
        widget = new toolkit::Canvas(entry.w + edge, entry.h + edge, options, parent);
        break;
    }
    case ControlKind::ImageBox: {
        auto* box = new QLabel(parent);
        box->setAlignment(Qt::AlignCenter);
        if (has(entry, OptSunken)) {
            box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            box->setLineWidth(SUNKEN_LINE_WIDTH);
        }
        widget = box;
        break;
    }
    case ControlKind::ImageButton: {
        auto* button = new QPushButton(parent);
        button->setIconSize(QSize(ICON_SIDE, ICON_SIDE));
        button->setCheckable(has(entry, OptToggle));
        widget = button;
        break;
    }
    case ControlKind::Button:
        widget = new QPushButton(text, parent);
        break;
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setAlignment((has(entry, OptCentred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlKind::TextField: {
        auto* field = new QLineEdit(text, parent);
        if (has(entry, OptNumeric)) {
            field->setValidator(new DigitsValidator(field));
        }
        field->setReadOnly(has(entry, OptReadOnly));
        keepShortcutsFrom(field);
        widget = field;
        break;
    }
    case ControlKind::SpinBox: {
        auto* spin = new toolkit::TextSpinBox(parent);
        spin->setRange(entry.minimum, entry.maximum);
        spin->setValue(entry.minimum);
        spin->setText(text);
        keepShortcutsFrom(spin);
        widget = spin;
        break;
    }
    case ControlKind::TrackBar: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setRange(entry.minimum, entry.maximum);
        slider->setValue(entry.minimum);
        if (has(entry, OptTicks)) {
            slider->setTickPosition(QSlider::TicksBelow);
            slider->setTickInterval(1);
        }
        widget = slider;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, parent);
        box->setChecked(has(entry, OptChecked));
        widget = box;
        break;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(text, parent);
        option->setChecked(has(entry, OptChecked));
        widget = option;
        break;
    }
    case ControlKind::Frame:
        widget = createFrame(entry, parent);
        break;
    case ControlKind::TextArea: {
        auto* area = new QPlainTextEdit(parent);
        area->setLineWrapMode(QPlainTextEdit::NoWrap);
        area->setPlainText(text);
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        keepShortcutsFrom(area);
        widget = area;
        break;
    }
    case ControlKind::FileList:
        widget = createFileList(parent);
        break;
    }

    widget->setObjectName(QString::fromLatin1(controlName(entry.id).data(),
                                              static_cast<qsizetype>(controlName(entry.id).size())));
    if (pictureSurface(entry))
        widget->setGeometry(entry.x - toolkit::Canvas::SUNKEN_EDGE, entry.y - toolkit::Canvas::SUNKEN_EDGE,
                            entry.w + 2 * toolkit::Canvas::SUNKEN_EDGE, entry.h + 2 * toolkit::Canvas::SUNKEN_EDGE);
    else
        widget->setGeometry(entry.x, entry.y, entry.w, entry.h);
    if (entry.font != NO_FONT) widget->setFont(fonts_[static_cast<std::size_t>(entry.font)]);
    switch (entry.kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Label:
        fitCaption(widget, entry);
        break;
    default:
        break;
    }
    if (entry.tooltip != nullptr) widget->setToolTip(QString::fromLatin1(entry.tooltip));
    if (has(entry, OptDisabled)) widget->setEnabled(false);
    if (has(entry, OptHidden)) widget->hide();
    if (entry.kind == ControlKind::Frame) widget->lower();
    controls_[static_cast<std::size_t>(entry.id)] = widget;
    connectControl(entry, widget);
    return widget;
}

QWidget* WindowMain::createFileList(QWidget* parent) {
    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    fileModel_->setNameFilters({QStringLiteral("*.spr*")});
    fileModel_->setNameFilterDisables(false);  // names that do not match are left out, not greyed
    fileModel_->setReadOnly(true);
    fileList_ = new QTreeView(parent);
    fileList_->setModel(fileModel_);
    fileList_->setRootIsDecorated(false);
    fileList_->setItemsExpandable(false);
    fileList_->setUniformRowHeights(true);
    fileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setSortingEnabled(true);
    fileList_->sortByColumn(0, Qt::AscendingOrder);
    fileList_->header()->resizeSection(0, 170);
    // Until start-up names a directory the list shows nothing.
    fileList_->setRootIndex(fileModel_->index(QString()));
    return fileList_;
}

void WindowMain::connectControl(const ControlSpec& entry, QWidget* widget) {
    const Control id = entry.id;
    const auto raise = [this, id](ControlEvent event) { emit controlEvent(id, event); };
    switch (entry.kind) {
    case ControlKind::Canvas:
        connect(static_cast<toolkit::Canvas*>(widget), &toolkit::Canvas::canvasEvent, this,
                [this, id](const toolkit::CanvasEvent& event) { emit canvasEvent(id, event); });
        if (id == Control::GadgetImportCanvas) {
            widget->setAcceptDrops(true);
            widget->installEventFilter(this);
        }
        break;
    case ControlKind::ImageButton:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [raise] { raise(ControlEvent::Click); });
        break;
    case ControlKind::TextField:
        connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this, [raise] { raise(ControlEvent::Change); });
        break;
    case ControlKind::SpinBox:
        connect(static_cast<toolkit::TextSpinBox*>(widget), &toolkit::TextSpinBox::edited, this, [raise] { raise(ControlEvent::Change); });
        break;
    case ControlKind::TrackBar:
        connect(static_cast<QSlider*>(widget), &QSlider::valueChanged, this, [raise] { raise(ControlEvent::Change); });
        break;
    case ControlKind::TextArea: {
        auto* area = static_cast<QPlainTextEdit*>(widget);
        connect(area, &QWidget::customContextMenuRequested, this, [this, area](const QPoint& pos) {
            emit outputContextMenuRequested(area->viewport()->mapToGlobal(pos));
        });
        break;
    }
    case ControlKind::FileList:
        connect(fileList_, &QTreeView::clicked, this, [raise] { raise(ControlEvent::Click); });
        connect(fileList_, &QTreeView::doubleClicked, this, [raise] { raise(ControlEvent::DoubleClick); });
        break;
    case ControlKind::ImageBox:
    case ControlKind::Label:
    case ControlKind::Frame:
        break;
    }
}

QWidget* WindowMain::control(Control id) const {
    const auto index = static_cast<std::size_t>(id);
    if (index >= controls_.size()) return nullptr;
    if (controls_[index] == nullptr) buildPageOf(id);
    return controls_[index];
}

bool WindowMain::controlBuilt(Control id) const {
    const auto index = static_cast<std::size_t>(id);
    return index < controls_.size() && controls_[index] != nullptr;
}

QTreeView* WindowMain::fileList() const {
    buildPageOf(Control::GadgetFileList);
    return fileList_;
}

QFileSystemModel* WindowMain::fileModel() const {
    buildPageOf(Control::GadgetFileList);
    return fileModel_;
}

toolkit::Canvas* WindowMain::canvas(Control id) const { return qobject_cast<toolkit::Canvas*>(control(id)); }

QAbstractButton* WindowMain::button(Control id) const { return qobject_cast<QAbstractButton*>(control(id)); }

QLabel* WindowMain::label(Control id) const { return qobject_cast<QLabel*>(control(id)); }

QLineEdit* WindowMain::textField(Control id) const { return qobject_cast<QLineEdit*>(control(id)); }

toolkit::TextSpinBox* WindowMain::spinBox(Control id) const { return qobject_cast<toolkit::TextSpinBox*>(control(id)); }

QSlider* WindowMain::trackBar(Control id) const { return qobject_cast<QSlider*>(control(id)); }

QPlainTextEdit* WindowMain::textArea(Control id) const { return qobject_cast<QPlainTextEdit*>(control(id)); }

const QFont& WindowMain::programFont(FontId id) const { return fonts_[static_cast<std::size_t>(id)]; }

QString WindowMain::controlText(Control id) const {
    if (id == Control::GadgetTabs) return tabs_->tabText(tabs_->currentIndex());
    if (id == Control::GadgetFileList) return fileListDirectory();
    if (auto* spin = spinBox(id)) return spin->text();
    if (auto* field = textField(id)) return field->text();
    if (auto* text = label(id)) return text->text();
    if (auto* b = button(id)) return b->text();
    if (auto* area = textArea(id)) return area->toPlainText();
    if (auto* group = qobject_cast<QGroupBox*>(control(id))) return group->title();
    return QString();
}

void WindowMain::setControlText(Control id, const QString& text) {
    if (id == Control::GadgetFileList) {
        showFileListDirectory(text);
    } else if (auto* spin = spinBox(id)) {
        spin->setText(text);
    } else if (auto* field = textField(id)) {
        field->setText(text);
    } else if (auto* l = label(id)) {
        l->setText(text);
    } else if (auto* b = button(id)) {
        b->setText(text);
    } else if (auto* area = textArea(id)) {
        area->setPlainText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control(id))) {
        group->setTitle(text);
    }
}

int WindowMain::controlState(Control id) const {
    if (id == Control::GadgetTabs) return tabs_->currentIndex();
    if (id == Control::GadgetFileList) return selectedFileRow();
    if (auto* spin = spinBox(id)) return spin->value();
    if (auto* slider = trackBar(id)) return slider->value();
    if (auto* b = button(id)) return b->isCheckable() && b->isChecked() ? 1 : 0;
    return 0;
}

void WindowMain::setControlState(Control id, int state) {
    if (id == Control::GadgetTabs) {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(state);
    } else if (id == Control::GadgetFileList) {
        QTreeView* list = fileList();
        const QModelIndex row = fileModel_->index(state, 0, list->rootIndex());
        if (row.isValid()) {
            list->setCurrentIndex(row);
        } else {
            list->clearSelection();
        }
    } else if (auto* spin = spinBox(id)) {
        spin->setValue(state);
    } else if (auto* slider = trackBar(id)) {
        const QSignalBlocker quiet(slider);
        slider->setValue(state);
    } else if (auto* b = button(id)) {
        if (b->isCheckable()) b->setChecked(state != 0);
    }
}

void WindowMain::setControlRange(Control id, int minimum, int maximum) {
    if (auto* spin = spinBox(id)) {
        spin->setRange(minimum, maximum);
    } else if (auto* slider = trackBar(id)) {
        const QSignalBlocker quiet(slider);
        slider->setRange(minimum, maximum);
    }
}

void WindowMain::setImage(Control id, const QImage& image) {
    if (auto* box = label(id)) box->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

void WindowMain::setButtonIcon(Control id, const QIcon& icon) {
    if (auto* b = button(id)) b->setIcon(icon);
}

void WindowMain::showFileListDirectory(const QString& directory) {
    // The list, its model and the model's watcher cost time and memory the first
    // frame does without: until its page is built the directory waits here.
    if (!pageBuilt(PagePreview)) {
        fileListStart_ = directory;
        return;
    }
    const QModelIndex root = fileModel_->setRootPath(directory);
    fileList_->setRootIndex(root);
}

QString WindowMain::fileListDirectory() const {
    QString directory = fileModel()->rootPath();
    if (directory.isEmpty()) return directory;
    directory = QDir::toNativeSeparators(directory);
    if (!directory.endsWith(QDir::separator())) directory += QDir::separator();
    return directory;
}

int WindowMain::selectedFileRow() const {
    const QModelIndex current = fileList()->currentIndex();
    return current.isValid() && fileList_->selectionModel()->isSelected(current) ? current.row() : -1;
}

QString WindowMain::selectedFileName() const {
    if (selectedFileRow() < 0) return QString();
    return fileModel_->fileName(fileList_->currentIndex());
}

}  // namespace ui
