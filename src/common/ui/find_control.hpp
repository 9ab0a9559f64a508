#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace skerry::ui {

// A control of a window, found by its object name: the control names of the window
// descriptions (TplNameE, SG1, LB1, BBok...). The windows keep their controls to themselves;
// what drives them from outside (the tests, the benchmarks, the screenshot tour) reaches them
// only this way, as a user reaches them only through the screen.
template <typename T>
T* FindControl(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        throw std::logic_error(std::string("no control named ") + name + " in " +
                               window.objectName().toStdString());
    }
    return found;
}

}  // namespace skerry::ui
