#include "toolkit/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QtDebug>

namespace toolkit {
namespace {

// "*.bmp;*.png" -> "*.bmp *.png"; a pattern written as ".asm" means "*.asm".
QString patternList(const QString& patterns) {
    QStringList out;
    for (QString p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p.isEmpty()) continue;
        if (p.startsWith(QLatin1Char('.'))) p.prepend(QLatin1Char('*'));
        out << p;
    }
    return out.join(QLatin1Char(' '));
}

template <typename T>
bool takeFront(std::deque<T>& queue, T& value) {
    if (queue.empty()) return false;
    value = queue.front();
    queue.pop_front();
    return true;
}

}  // namespace

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() == 1) return patternList(parts.front());
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = patternList(parts[i + 1]);
        if (patterns.isEmpty()) continue;
        entries << (description.isEmpty() ? patterns : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtDialogs::openFile(const QString& title, const QString& proposedName, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, title, proposedName, toQtFilter(filter));
}

QString QtDialogs::saveFile(const QString& title, const QString& proposedName, const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, title, proposedName, toQtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::saveFileWithFilter(const QString& title, const QString& proposedName, const QString& filter,
                                      int& chosenFilter) {
    const QString qtFilter = toQtFilter(filter);
    QString selected;
    const QString name = QFileDialog::getSaveFileName(parent_, title, proposedName, qtFilter, &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    chosenFilter = static_cast<int>(qtFilter.split(QStringLiteral(";;")).indexOf(selected));
    return name;
}

void QtDialogs::message(const QString& title, const QString& text) { QMessageBox::information(parent_, title, text); }

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

std::vector<DialogCall> ScriptedDialogs::unexpectedCalls() const {
    std::vector<DialogCall> out;
    for (const DialogCall& call : calls_) {
        if (call.unexpected) out.push_back(call);
    }
    return out;
}

std::vector<DialogCall> ScriptedDialogs::callsOf(DialogCall::Kind kind) const {
    std::vector<DialogCall> out;
    for (const DialogCall& call : calls_) {
        if (call.kind == kind) out.push_back(call);
    }
    return out;
}

void ScriptedDialogs::clear() {
    calls_.clear();
    openAnswers_.clear();
    saveAnswers_.clear();
    yesNoAnswers_.clear();
}

QString ScriptedDialogs::openFile(const QString& title, const QString& proposedName, const QString& filter) {
    QString answer;
    const bool scripted = takeFront(openAnswers_, answer);
    calls_.push_back({DialogCall::Kind::OpenFile, title, proposedName, filter, !scripted});
    if (!scripted) qWarning() << "unscripted open-file dialog:" << title;
    return answer;
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& proposedName, const QString& filter) {
    int chosenFilter = -1;
    return saveFileWithFilter(title, proposedName, filter, chosenFilter);
}

QString ScriptedDialogs::saveFileWithFilter(const QString& title, const QString& proposedName, const QString& filter,
                                            int& chosenFilter) {
    SaveAnswer answer;
    const bool scripted = takeFront(saveAnswers_, answer);
    calls_.push_back({DialogCall::Kind::SaveFile, title, proposedName, filter, !scripted});
    if (!scripted) qWarning() << "unscripted save-file dialog:" << title;
    chosenFilter = answer.chosenFilter;
    return answer.name;
}

void ScriptedDialogs::message(const QString& title, const QString& text) {
    calls_.push_back({DialogCall::Kind::Message, title, text, QString(), false});
}

bool ScriptedDialogs::askYesNo(const QString& title, const QString& text) {
    bool answer = false;
    const bool scripted = takeFront(yesNoAnswers_, answer);
    calls_.push_back({DialogCall::Kind::AskYesNo, title, text, QString(), !scripted});
    if (!scripted) qWarning() << "unscripted yes/no question:" << title << text;
    return answer;
}

}  // namespace toolkit
