#include "ui_fixture.hpp"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <fstream>

#include "app/ui/tpl_ed.hpp"
#include "resources/sample_data.hpp"

namespace skerry::ui {

void WindowTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    previous_ = SetMessageHandler([this](QWidget*, const QString& text) { messages_ << text; });
    store_ = static_cast<testing::MemorySettingsStore*>(state_.store.get());
    windows_ = std::make_unique<AppWindows>(state_);
    messages_.clear();  // start-up's own messages about unset paths
    state_.settings.programDir = dir_.path().toStdString() + "/";
}

void WindowTest::TearDown() {
    modalWatches_.reset();
    windows_.reset();
    SetMessageHandler(previous_);
}

void WindowTest::StartWithSampleData() {
    const std::string sample = dir_.path().toStdString() + "/sample/";
    ASSERT_FALSE(WriteSampleData(sample));
    store_->values = {
        {"Jed", sample + "jed/master.tpl"}, {"JK", sample + "jk/"}, {"MOTS", sample + "mots/"}};
    windows_.reset();
    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    windows_ = std::make_unique<AppWindows>(state_);
    messages_.clear();
    state_.settings.programDir = dir_.path().toStdString() + "/";
}

std::string WindowTest::WriteFile(const char* name, const std::string& bytes) {
    const std::string path = state_.settings.programDir + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void WindowTest::UseMasterTpl(const std::string& bytes) {
    state_.settings.jedTplPath = WriteFile("master.tpl", bytes);
}

void WindowTest::WhenModal(std::function<void(QWidget*)> action) {
    if (!modalWatches_) {
        modalWatches_ = std::make_unique<QObject>();
    }
    // Polls until a modal window is up, so the answer never races the window's showing.
    auto* timer = new QTimer(modalWatches_.get());
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start(1);
}

}  // namespace skerry::ui
