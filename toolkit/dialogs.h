#pragma once
// Every file dialog and message box of the program goes through Dialogs.
// The window holds a QtDialogs; tests hand in a ScriptedDialogs that answers
// from queues and records what was asked.
//
// Filters are written the program's way: a description, a vertical bar and a
// pattern list (" images |*.bmp;*.png;*.jpg;*.gif"), several such pairs
// joined by bars, or a bare pattern (".asm", "*.spr"). toQtFilter turns them
// into Qt's "description (*.a *.b)" form.
#include <QString>

#include <deque>
#include <vector>

class QWidget;

namespace toolkit {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Full name of the chosen file, empty when cancelled.
    virtual QString openFile(const QString& title, const QString& proposedName, const QString& filter) = 0;
    // Full name to write, empty when cancelled. Choosing an existing file is
    // not questioned: replacing it is the caller's business.
    virtual QString saveFile(const QString& title, const QString& proposedName, const QString& filter) = 0;
    // The same, and which of the filter's description-and-pattern pairs the user
    // chose (0 for the first) in chosenFilter, -1 when that is not known.
    virtual QString saveFileWithFilter(const QString& title, const QString& proposedName, const QString& filter,
                                       int& chosenFilter) {
        chosenFilter = -1;
        return saveFile(title, proposedName, filter);
    }
    // A box with an OK button.
    virtual void message(const QString& title, const QString& text) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
};

QString toQtFilter(const QString& filter);

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    QString openFile(const QString& title, const QString& proposedName, const QString& filter) override;
    QString saveFile(const QString& title, const QString& proposedName, const QString& filter) override;
    QString saveFileWithFilter(const QString& title, const QString& proposedName, const QString& filter,
                               int& chosenFilter) override;
    void message(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};

struct DialogCall {
    enum class Kind { OpenFile, SaveFile, Message, AskYesNo };
    Kind kind;
    QString title;
    QString text;    // the proposed name for file dialogs, the text for boxes
    QString filter;  // as passed, file dialogs only
    bool unexpected = false;  // a question with no scripted answer
};

class ScriptedDialogs : public Dialogs {
public:
    // Answers, used first in first out per kind; an empty name scripts a cancel.
    void answerOpenFile(const QString& name) { openAnswers_.push_back(name); }
    // chosenFilter: the filter pair the user picks (0 for the first), -1 for none.
    void answerSaveFile(const QString& name, int chosenFilter = -1) { saveAnswers_.push_back({name, chosenFilter}); }
    void answerYesNo(bool yes) { yesNoAnswers_.push_back(yes); }

    // Every call in order, and those that found no scripted answer (they got
    // a cancel or No, and a warning was printed).
    const std::vector<DialogCall>& calls() const { return calls_; }
    std::vector<DialogCall> unexpectedCalls() const;
    std::vector<DialogCall> callsOf(DialogCall::Kind kind) const;
    // Scripted answers nobody asked for.
    std::size_t pendingAnswers() const { return openAnswers_.size() + saveAnswers_.size() + yesNoAnswers_.size(); }
    void clear();

    QString openFile(const QString& title, const QString& proposedName, const QString& filter) override;
    QString saveFile(const QString& title, const QString& proposedName, const QString& filter) override;
    QString saveFileWithFilter(const QString& title, const QString& proposedName, const QString& filter,
                               int& chosenFilter) override;
    void message(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;

private:
    struct SaveAnswer {
        QString name;
        int chosenFilter = -1;
    };
    std::vector<DialogCall> calls_;
    std::deque<QString> openAnswers_;
    std::deque<SaveAnswer> saveAnswers_;
    std::deque<bool> yesNoAnswers_;
};

}  // namespace toolkit
