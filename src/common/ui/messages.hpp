#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace skerry::ui {

// Every message box of the program goes through here, so that tests and the offscreen
// screenshot run can capture them instead of waiting for a person.
using MessageHandler = std::function<void(QWidget* parent, const QString& text)>;

void ShowMessage(QWidget* parent, const QString& text);

// Replaces the handler; returns the one that was in place. An empty handler restores the
// plain message box.
MessageHandler SetMessageHandler(MessageHandler handler);

// The question asked before a changed template is left: keep it, let it go, or stay.
enum class Answer { Save, Discard, Cancel };
using QuestionHandler = std::function<Answer(QWidget* parent, const QString& text)>;

// Asks with Save, Discard and Cancel buttons; Esc and the close box answer Cancel.
Answer AskSaveDiscardCancel(QWidget* parent, const QString& text);

// As SetMessageHandler, for questions.
QuestionHandler SetQuestionHandler(QuestionHandler handler);

}  // namespace skerry::ui
