#pragma once

#include <QApplication>

namespace skerry::ui {

// The application object. An exception thrown inside an event handler ends that handler
// and is shown as a message with its text; the program goes on.
class SkerryApplication : public QApplication {
  public:
    SkerryApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace skerry::ui
