#pragma once

#include <QDialog>

#include "common/ui/file_dialogs.hpp"
#include "settings/settings.hpp"
#include "settings/settings_store.hpp"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace skerry::ui {

// Where the program lives and where a user's own data may go: the real folders unless a
// test gives others.
struct ProgramFolders {
    std::string programDir;  // empty: the running program's folder
    std::string perUserDir;  // empty: the platform's per-user data folder
};

// The options window: where Jed's template file and the game's containers are, and which
// template dialect this run works in.
class TTplOpt : public QDialog {
    Q_OBJECT
  public:
    TTplOpt(Settings& settings, SettingsStore& store, ProgramFolders folders = {});

    void FormCreate();
    void JedSBClick();
    void JKSBClick();
    void MotsSBClick();
    void RG1Click();
    void BBOKClick();
    // The dialect is settled for the rest of the run: once the picker has listed a
    // container's entries, switching would mix the two games' files.
    void FixDialect();

    // The index of the selected dialect: 0 "JK tpl", 1 "Mots tpl".
    int RG1ItemIndex() const;
    void SetRG1ItemIndex(int index);

    // Od1, the open-file dialog of the three browse buttons: its filter entries.
    static const QStringList kOd1Filters;

  private:
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QToolButton* JedSB = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QToolButton* JKSB = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QToolButton* MotsSB = nullptr;
    QGroupBox* RG1 = nullptr;
    QPushButton* BBOK = nullptr;
    QButtonGroup* rg1Items_ = nullptr;

    void Browse(BrowsedPath which, int filterIndex, const QString& title,
                const QString& proposedName);

    Settings& settings_;
    SettingsStore& store_;
    ProgramFolders folders_;
};

}  // namespace skerry::ui
