#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace skerry::ui {

// Every message box of the program goes through here, so that tests and the offscreen
// screenshot run can capture them instead of waiting for a person.
using MessageHandler = std::function<void(QWidget* parent, const QString& text)>;

void ShowMessage(QWidget* parent, const QString& text);

// Replaces the handler; returns the one that was in place. An empty handler restores the
// plain message box.
MessageHandler SetMessageHandler(MessageHandler handler);

// The answers of the program's questions. Before a changed template is left: keep it, let it
// go, or stay. Before a Save that would drop templates of New.tpl: Append instead, Save anyway,
// or stay.
enum class Answer { Save, Discard, Cancel, Append, SaveAnyway };
using QuestionHandler = std::function<Answer(QWidget* parent, const QString& text)>;

// Asks with Save, Discard and Cancel buttons; Esc and the close box answer Cancel.
Answer AskSaveDiscardCancel(QWidget* parent, const QString& text);

// Asks with Append, Save anyway and Cancel buttons; Esc and the close box answer Cancel, and
// so does any other answer a handler gives.
Answer AskAppendSaveAnywayCancel(QWidget* parent, const QString& text);

// The box that question is asked in (for pictures of it).
std::unique_ptr<QMessageBox> AppendSaveAnywayCancelBox(QWidget* parent, const QString& text);

// As SetMessageHandler, for questions.
QuestionHandler SetQuestionHandler(QuestionHandler handler);

}  // namespace skerry::ui
