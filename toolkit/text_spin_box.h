#pragma once
// A spin box whose text is the setting. The program reads these boxes back as
// text (toolkit::textToNumber), and at start some show a text that differs from
// their value ("16" over the value 1), so the text is never rewritten from the
// value behind the program's back: only setValue, setText and the user's own
// steps change it.
//
// Typing: only digits may be typed (the range is not enforced while typing,
// the number is read from the text when it is needed). Stepping with the
// arrows, the arrow keys or the wheel starts from the number in the text,
// clamped to the range, and writes the stepped value as text.
#include <QAbstractSpinBox>
#include <QString>

namespace toolkit {

class TextSpinBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit TextSpinBox(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // The value last set or stepped to (not read from the text).
    int value() const { return value_; }
    // Sets the value, clamped to the range, and shows it as the text.
    void setValue(int value);
    // Replaces the shown text and leaves the value alone.
    void setText(const QString& text);

    void stepBy(int steps) override;

signals:
    // The user changed the text, by typing or by stepping.
    void edited();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    StepEnabled stepEnabled() const override;

private:
    int clamp(int value) const;

    int minimum_ = 0;
    int maximum_ = 99;
    int value_ = 0;
};

}  // namespace toolkit
