#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/ui/app_windows.hpp"
#include "common/ui/messages.hpp"
#include "support/memory_settings_store.hpp"

namespace skerry::ui {

class TRes;
class TTplEd;

// The seven windows on a private program directory, with every message captured.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a template file into the program directory; returns its path.
    std::string WriteFile(const char* name, const std::string& bytes);
    // Points the Jed template file path at master.tpl in the program directory.
    void UseMasterTpl(const std::string& bytes);

    TTplEd& Ed();
    TRes& Res();
    // The grid row of a parameter name (the first of that name).
    int RowOf(const std::string& name);
    // The value cell of that row.
    const std::string& Value(const std::string& name);
    // Writes the value of every row of that name (or with the picker mark in front) through
    // the document, as an editor does.
    void SetEvery(const std::string& key, const std::string& value);
    // Types a value into the row's cell, as the user does.
    void SetValue(const std::string& name, const QString& value);
    // Selects the row's value cell through the view, as a click or an arrow key does.
    void SelectRow(const std::string& name);

    // Writes the sample game data into the program directory, points the stored paths at
    // it and starts the windows afresh on it, answering the options window with OK.
    void StartWithSampleData();
    // Starts the windows afresh on the settings as they are, choosing Mots for the run.
    void RestartInMots();

    // Runs action once the next modal window is up (answering it). A watch that no modal
    // window met ends with the test, so it cannot answer the next test's windows.
    void WhenModal(std::function<void(QWidget*)> action);

    // Runs a command that shows the picker, clicking name in its list (unless it is empty)
    // and then OK.
    void Pick(const QString& name, const std::function<void()>& command);
    // Answers the next description dialog with text.
    void AnswerDescription(const QString& text);
    // New.tpl's bytes, or "-" when there is none.
    std::string NewTpl();

    QTemporaryDir dir_;
    AppState state_{std::make_unique<testing::MemorySettingsStore>()};
    testing::MemorySettingsStore* store_ = nullptr;  // owned by state_
    std::unique_ptr<AppWindows> windows_;
    QStringList messages_;
    // Questions asked before a changed template is left, and the answer they all get.
    QStringList questions_;
    Answer answer_ = Answer::Discard;

  private:
    MessageHandler previous_;
    QuestionHandler previousQuestion_;
    std::unique_ptr<QObject> modalWatches_;
};

}  // namespace skerry::ui
