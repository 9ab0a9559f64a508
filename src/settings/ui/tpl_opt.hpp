#pragma once

#include <QDialog>

#include "settings/settings.hpp"

class QPushButton;

namespace skerry::ui {

// The options window: where Jed's template file and the game's containers are, and which
// template dialect this run works in.
class TTplOpt : public QDialog {
    Q_OBJECT
  public:
    explicit TTplOpt(Settings& settings);

    void FormCreate();
    void BBOKClick();

    QPushButton* BBOK = nullptr;

  private:
    Settings& settings_;
};

}  // namespace skerry::ui
