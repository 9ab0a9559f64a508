#include "common/ui/messages.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace skerry::ui {

namespace {

MessageHandler& CurrentHandler() {
    static MessageHandler handler;
    return handler;
}

QuestionHandler& CurrentQuestionHandler() {
    static QuestionHandler handler;
    return handler;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    if (const MessageHandler& handler = CurrentHandler()) {
        handler(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

Answer AskSaveDiscardCancel(QWidget* parent, const QString& text) {
    if (const QuestionHandler& handler = CurrentQuestionHandler()) {
        return handler(parent, text);
    }
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Answer::Save;
        case QMessageBox::Discard:
            return Answer::Discard;
        default:
            return Answer::Cancel;
    }
}

Answer AskAppendSaveAnywayCancel(QWidget* parent, const QString& text) {
    if (const QuestionHandler& handler = CurrentQuestionHandler()) {
        const Answer answer = handler(parent, text);
        return answer == Answer::Append || answer == Answer::SaveAnyway ? answer : Answer::Cancel;
    }
    const std::unique_ptr<QMessageBox> box = AppendSaveAnywayCancelBox(parent, text);
    box->exec();
    const QString clicked =
        box->clickedButton() != nullptr ? box->clickedButton()->objectName() : QString();
    if (clicked == QLatin1String("Append")) {
        return Answer::Append;
    }
    return clicked == QLatin1String("SaveAnyway") ? Answer::SaveAnyway : Answer::Cancel;
}

std::unique_ptr<QMessageBox> AppendSaveAnywayCancelBox(QWidget* parent, const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QApplication::applicationName(),
                                             text, QMessageBox::NoButton, parent);
    QPushButton* append = box->addButton(QStringLiteral("Append"), QMessageBox::AcceptRole);
    append->setObjectName(QStringLiteral("Append"));
    box->addButton(QStringLiteral("Save anyway"), QMessageBox::DestructiveRole)
        ->setObjectName(QStringLiteral("SaveAnyway"));
    box->setDefaultButton(append);
    box->setEscapeButton(box->addButton(QMessageBox::Cancel));
    return box;
}

QuestionHandler SetQuestionHandler(QuestionHandler handler) {
    QuestionHandler previous = std::move(CurrentQuestionHandler());
    CurrentQuestionHandler() = std::move(handler);
    return previous;
}

}  // namespace skerry::ui
