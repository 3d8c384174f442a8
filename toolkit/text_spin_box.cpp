// Spin box that keeps its text as the setting.
#include "toolkit/text_spin_box.h"

#include "toolkit/text_number.h"

#include <QLineEdit>

#include <algorithm>

namespace toolkit {

TextSpinBox::TextSpinBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setKeyboardTracking(true);
    setAccelerated(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit edited(); });
}

void TextSpinBox::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = clamp(value_);
}

int TextSpinBox::clamp(int value) const { return std::clamp(value, minimum_, maximum_); }

void TextSpinBox::setValue(int value) {
    value_ = clamp(value);
    lineEdit()->setText(QString::number(value_));
}

void TextSpinBox::setText(const QString& text) { lineEdit()->setText(text); }

void TextSpinBox::stepBy(int steps) {
    // The text is what the user sees, so a step continues from it.
    const int from = clamp(toolkit::textToNumber(text()));
    const long long to = static_cast<long long>(from) + steps;
    value_ = static_cast<int>(std::clamp<long long>(to, minimum_, maximum_));
    lineEdit()->setText(QString::number(value_));
    emit edited();
}

QValidator::State TextSpinBox::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : input) {
        if (!c.isDigit()) return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void TextSpinBox::fixup(QString& /*input*/) const {
    // Nothing to repair: any run of digits is a valid setting.
}

QAbstractSpinBox::StepEnabled TextSpinBox::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    const int current = clamp(toolkit::textToNumber(text()));
    StepEnabled enabled = StepNone;
    if (current < maximum_) enabled |= StepUpEnabled;
    if (current > minimum_) enabled |= StepDownEnabled;
    return enabled;
}

}  // namespace toolkit
