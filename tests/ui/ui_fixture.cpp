#include "ui_fixture.hpp"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <fstream>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "sample/sample_data.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::ui {

void WindowTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    previous_ = SetMessageHandler([this](QWidget*, const QString& text) { messages_ << text; });
    previousQuestion_ = SetQuestionHandler([this](QWidget*, const QString& text) {
        questions_ << text;
        return answer_;
    });
    store_ = static_cast<testing::MemorySettingsStore*>(state_.store.get());
    // The windows work in the test's own folder from the start: what they show of New.tpl
    // must not come from a New.tpl beside the test program.
    state_.folders.programDir = dir_.path().toStdString();
    windows_ = std::make_unique<AppWindows>(state_);
    messages_.clear();  // start-up's own messages about unset paths
    state_.settings.programDir = dir_.path().toStdString() + "/";
    state_.settings.workDir = state_.settings.programDir;
}

void WindowTest::TearDown() {
    modalWatches_.reset();
    windows_.reset();
    SetMessageHandler(previous_);
    SetQuestionHandler(previousQuestion_);
}

TTplEd& WindowTest::Ed() {
    return windows_->TplEd();
}

TRes& WindowTest::Res() {
    return windows_->Res();
}

int WindowTest::RowOf(const std::string& name) {
    const ParamGrid& grid = Ed().Grid();
    for (std::size_t r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).name == name) {
            return static_cast<int>(r);
        }
    }
    ADD_FAILURE() << "no row " << name;
    return 0;
}

const std::string& WindowTest::Value(const std::string& name) {
    return Ed().Grid().Row(static_cast<std::size_t>(RowOf(name))).value;
}

void WindowTest::SetEvery(const std::string& key, const std::string& value) {
    const ParamGrid& grid = Ed().Grid();
    for (std::size_t r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).name == key || grid.Row(r).name == "+ " + key) {
            Ed().Document().SetValue(r, value);
        }
    }
}

void WindowTest::SetValue(const std::string& name, const QString& value) {
    GridTableModel& model = Ed().GridModel();
    model.setData(model.index(RowOf(name), GridTableModel::kValueColumn), value, Qt::EditRole);
}

void WindowTest::SelectRow(const std::string& name) {
    FindControl<QTableView>(Ed(), "SG1")
        ->setCurrentIndex(Ed().GridModel().index(RowOf(name), GridTableModel::kValueColumn));
    QApplication::processEvents();
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
    state_.settings.workDir = state_.settings.programDir;
}

void WindowTest::RestartInMots() {
    windows_.reset();
    WhenModal([](QWidget* modal) {
        auto* options = static_cast<TTplOpt*>(modal);
        options->SetRG1ItemIndex(1);
        options->accept();
    });
    windows_ = std::make_unique<AppWindows>(state_);
}

std::string WindowTest::WriteFile(const char* name, const std::string& bytes) {
    const std::string path = state_.settings.programDir + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void WindowTest::UseMasterTpl(const std::string& bytes) {
    state_.settings.jedTplPath = WriteFile("master.tpl", bytes);
}

void WindowTest::Pick(const QString& name, const std::function<void()>& command) {
    WhenModal([this, name](QWidget*) {
        auto* list = FindControl<QListWidget>(Res(), "LB1");
        if (!name.isEmpty()) {
            const auto found = list->findItems(name, Qt::MatchExactly);
            if (!found.isEmpty())
                list->setCurrentItem(found[0]);
        }
        FindControl<QPushButton>(Res(), "BBok")->click();
    });
    command();
}

void WindowTest::AnswerDescription(const QString& text) {
    WhenModal([this, text](QWidget*) {
        FindControl<QLineEdit>(windows_->TplDesc(), "E1")->setText(text);
        FindControl<QPushButton>(windows_->TplDesc(), "BBOK")->click();
    });
}

std::string WindowTest::NewTpl() {
    return ReadFileBytes(state_.settings.NewTplPath()).bytes.value_or("-");
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
