// Latency of window actions on the offscreen platform, at full size: the time from the user's
// command until the answer is on screen. Modal windows are answered as soon as they are up,
// so a figure that spans one holds every frame of the action.
#include "window_bench.hpp"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <chrono>
#include <deque>
#include <filesystem>

#include "app/ui/app_windows.hpp"
#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "bench_table.hpp"
#include "common/ui/find_control.hpp"
#include "common/ui/messages.hpp"
#include "resources/picker_listing.hpp"
#include "resources/ui/res_picker.hpp"
#include "support/memory_settings_store.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::bench {

namespace {

using Clock = std::chrono::steady_clock;
using ui::AppState;
using ui::AppWindows;
using ui::TRes;
using ui::TTplEd;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Answers every modal window once it is up and painted. Answers go to the windows in the
// order they come up; a window nobody expected is cancelled and noted, so no run ever
// waits for a person.
class ModalAnswers : public QObject {
  public:
    using Answer = std::function<void(QDialog&)>;

    ModalAnswers() { QCoreApplication::instance()->installEventFilter(this); }
    ~ModalAnswers() override { QCoreApplication::instance()->removeEventFilter(this); }

    void Expect(Answer answer) { answers_.push_back(std::move(answer)); }
    Clock::time_point ShownAt() const { return shownAt_; }
    // Titles of the windows that came up unexpected, and answers no window took.
    QString TakeSurprises() {
        QStringList surprises = unexpected_;
        if (!answers_.empty()) {
            surprises << QStringLiteral("%1 answers unused").arg(answers_.size());
        }
        unexpected_.clear();
        answers_.clear();
        return surprises.join(QStringLiteral(", "));
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog != nullptr && dialog->isModal()) {
                QPointer<QDialog> guard(dialog);
                QMetaObject::invokeMethod(
                    this,
                    [this, guard] {
                        if (guard) {
                            Give(*guard);
                        }
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

  private:
    void Give(QDialog& dialog) {
        QCoreApplication::processEvents();  // the window paints before anybody could answer
        shownAt_ = Clock::now();
        if (answers_.empty()) {
            unexpected_ << dialog.windowTitle();
            dialog.reject();
            return;
        }
        const Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(dialog);
    }

    std::deque<Answer> answers_;
    QStringList unexpected_;
    Clock::time_point shownAt_;
};

void Accept(QDialog& dialog) {
    dialog.accept();
}

std::unique_ptr<SettingsStore> StoreFor(const Inputs& inputs) {
    auto store = std::make_unique<testing::MemorySettingsStore>();
    store->values = {{"Jed", (inputs.jedFolder / "master.tpl").string()},
                     {"JK", WithTrailingSeparator(inputs.jkFolder.string())},
                     {"MOTS", WithTrailingSeparator(inputs.motsFolder.string())}};
    return store;
}

// Start-up as main() does it: the seven windows, the options window answered with OK, the
// main window shown.
std::unique_ptr<AppWindows> StartUp(AppState& state, ModalAnswers& answers) {
    answers.Expect(Accept);
    auto windows = std::make_unique<AppWindows>(state);
    windows->TplEd().showMaximized();
    QCoreApplication::processEvents();
    return windows;
}

// The windows started on the full-size inputs, with a new particle template under way.
struct Session {
    Session(const Inputs& in, ModalAnswers& modalAnswers)
        : inputs(in), answers(modalAnswers), state(StoreFor(in)) {
        windows = StartUp(state, answers);
        // Exported bitmaps, New.tpl and Old.tpl go to the benchmarks' own folder.
        state.settings.programDir = WithTrailingSeparator(inputs.programFolder.string());
        state.settings.workDir = state.settings.programDir;
        Ed().New1Click();
        FindControl<QComboBox>(Ed(), "CB1")->setEditText(QStringLiteral("particle"));
        QCoreApplication::processEvents();
    }
    ~Session() { windows.reset(); }

    TTplEd& Ed() { return windows->TplEd(); }
    TRes& Res() { return windows->Res(); }

    int RowOf(const char* name) {
        for (std::size_t row = 0; row < Ed().Grid().RowCount(); ++row) {
            if (Ed().Grid().Row(row).name == name) {
                return static_cast<int>(row);
            }
        }
        return -1;
    }

    const Inputs& inputs;
    ModalAnswers& answers;
    AppState state;
    std::unique_ptr<AppWindows> windows;
};

class WindowBenchmarks {
  public:
    explicit WindowBenchmarks(const Inputs& inputs) : inputs_(inputs) {
        previous_ =
            ui::SetMessageHandler([this](QWidget*, const QString& text) { messages_ << text; });
        // A row leaves the template changed (a value picked, a flag set); the next Open or New
        // asks before it is left, and the answer must not wait for a hand that never comes.
        previousQuestion_ =
            ui::SetQuestionHandler([](QWidget*, const QString&) { return ui::Answer::Discard; });
    }
    ~WindowBenchmarks() {
        session_.reset();
        ui::SetQuestionHandler(previousQuestion_);
        ui::SetMessageHandler(previous_);
    }

    Session& Started() {
        if (!session_) {
            session_ = std::make_unique<Session>(inputs_, answers_);
        }
        return *session_;
    }
    ModalAnswers& Answers() { return answers_; }
    const Inputs& Input() const { return inputs_; }

    // Notes a fault when a message box or an unexpected window came up.
    void Check() {
        const QString surprises = answers_.TakeSurprises();
        if (!messages_.isEmpty()) {
            Fault(("message: " + messages_.first()).toStdString());
        } else if (!surprises.isEmpty()) {
            Fault(("windows: " + surprises).toStdString());
        }
        messages_.clear();
    }

  private:
    const Inputs& inputs_;
    ModalAnswers answers_;
    QStringList messages_;
    ui::MessageHandler previous_;
    ui::QuestionHandler previousQuestion_;
    std::unique_ptr<Session> session_;
};

std::size_t CountWithExtension(const std::vector<std::string>& names, std::string_view extension) {
    std::size_t count = 0;
    for (const std::string& name : names) {
        count += FileExtension(name) == extension ? 1 : 0;
    }
    return count;
}

void AddStartUp(WindowBenchmarks& bench) {
    AddRow({"start-up until the main window is shown",
            "res2.gob of 4096, 20 colormaps",
            0,
            {},
            1.0,
            Target::AtMostMs(250)},
           [&bench](benchmark::State& state) {
               for (auto _ : state) {
                   AppState app(StoreFor(bench.Input()));
                   const Clock::time_point start = Clock::now();
                   std::unique_ptr<AppWindows> windows = StartUp(app, bench.Answers());
                   state.SetIterationTime(Seconds(start, Clock::now()));
                   if (windows->Res().Resources().Names().size() != kFullEntries ||
                       FindControl<QComboBox>(windows->Res(), "PalBox")->count() !=
                           static_cast<int>(kColormaps)) {
                       Fault("the picker did not load the container");
                   }
               }
               bench.Check();
           })
        ->UseManualTime();
}

void AddPickerRows(WindowBenchmarks& bench) {
    const std::size_t textures = CountWithExtension(bench.Input().entryNames, ".mat");
    AddRow({"select a + material row until the list is up",
            std::to_string(textures) + " textures of 4096",
            0,
            {},
            1.0,
            Target::AtMostMs(16)},
           [&bench, textures](benchmark::State& state) {
               Session& session = bench.Started();
               const int row = session.RowOf("+ material");
               for (auto _ : state) {
                   session.answers.Expect([&session](QDialog&) {
                       FindControl<QPushButton>(session.Res(), "BBClose")->click();
                   });
                   const Clock::time_point start = Clock::now();
                   session.Ed().SG1SelectCell(ui::GridTableModel::kValueColumn, row);
                   state.SetIterationTime(Seconds(start, session.answers.ShownAt()));
                   if (FindControl<QListWidget>(session.Res(), "LB1")->count() !=
                       static_cast<int>(textures)) {
                       Fault("the picker's list is not the textures");
                   }
               }
               bench.Check();
           })
        ->UseManualTime();

    AddRow(
        {"DisplayAll until the list is up", "999 template names", 0, {}, 1.0, Target::AtMostMs(16)},
        [&bench](benchmark::State& state) {
            Session& session = bench.Started();
            for (auto _ : state) {
                session.answers.Expect([&session](QDialog&) {
                    FindControl<QPushButton>(session.Res(), "BBClose")->click();
                });
                const Clock::time_point start = Clock::now();
                session.Ed().DisplayAll();
                state.SetIterationTime(Seconds(start, session.answers.ShownAt()));
                if (FindControl<QListWidget>(session.Res(), "LB1")->count() !=
                    static_cast<int>(kOfferedTemplates)) {
                    Fault("the picker does not offer 999 names");
                }
            }
            bench.Check();
        })
        ->UseManualTime();

    AddRow(
        {"click on a texture: decode, show, export",
         "1024x1024 in res2.gob of 4096",
         0,
         {},
         1.0,
         Target::AtMostMs(16)},
        [&bench](benchmark::State& state) {
            Session& session = bench.Started();
            TRes& res = session.Res();
            res.Prepare(PickerRequest::ForResources({".mat"}, {}));
            res.show();
            QCoreApplication::processEvents();
            QListWidget* const list = FindControl<QListWidget>(res, "LB1");
            const QList<QListWidgetItem*> big[2] = {
                list->findItems(QStringLiteral("mat\\big0.mat"), Qt::MatchExactly),
                list->findItems(QStringLiteral("mat\\big1.mat"), Qt::MatchExactly)};
            if (big[0].isEmpty() || big[1].isEmpty()) {
                Fault("the big textures are not listed");
                res.hide();
                return;
            }
            const std::filesystem::path exported[2] = {bench.Input().programFolder / "big0.bmp",
                                                       bench.Input().programFolder / "big1.bmp"};
            int k = 0;
            for (auto _ : state) {
                k = 1 - k;
                std::filesystem::remove(exported[k]);
                const Clock::time_point start = Clock::now();
                list->setCurrentItem(big[k].first());
                QCoreApplication::processEvents();
                state.SetIterationTime(Seconds(start, Clock::now()));
                if (!std::filesystem::exists(exported[k]) ||
                    !FindControl<QLabel>(res, "Label2")->text().contains(QStringLiteral("1024"))) {
                    Fault("the texture was not shown and exported");
                }
            }
            res.hide();
            bench.Check();
        })
        ->UseManualTime();
}

// Open takes three clicks, each its own frame: Open until the picker is up, the pick (a
// lookup), and OK until the template is in the grid. Each row times one of the outer two.
struct OpenFrames {
    double untilPicker = 0;
    double afterOk = 0;
};

OpenFrames OpenOnce(Session& session, const QString& name) {
    Clock::time_point okAt;
    session.answers.Expect([&session, &okAt, name](QDialog&) {
        const auto found =
            FindControl<QListWidget>(session.Res(), "LB1")->findItems(name, Qt::MatchExactly);
        if (!found.isEmpty()) {
            FindControl<QListWidget>(session.Res(), "LB1")->setCurrentItem(found.first());
        }
        okAt = Clock::now();
        FindControl<QPushButton>(session.Res(), "BBok")->click();
    });
    const Clock::time_point start = Clock::now();
    session.Ed().Open1Click();
    QCoreApplication::processEvents();
    const OpenFrames frames{Seconds(start, session.answers.ShownAt()), Seconds(okAt, Clock::now())};
    // The heading, a blank line, five ancestors and the empty last line.
    if (FindControl<QLineEdit>(session.Ed(), "TplNameE")->text() != name ||
        FindControl<QPlainTextEdit>(session.Ed(), "Memo")
                ->toPlainText()
                .split(QLatin1Char('\n'))
                .size() != 8) {
        Fault("the template and its chain were not opened");
    }
    return frames;
}

void AddFileCommandRows(WindowBenchmarks& bench) {
    const QString deepest = QString::fromStdString(DeepestWeapon(kFullTemplates));
    for (const bool untilPicker : {true, false}) {
        AddRow({untilPicker ? "Open until the picker is up" : "Open: OK until the grid is filled",
                "six-level chain, 1000 templates",
                0,
                {},
                1.0,
                Target::AtMostMs(16)},
               [&bench, deepest, untilPicker](benchmark::State& state) {
                   Session& session = bench.Started();
                   for (auto _ : state) {
                       const OpenFrames frames = OpenOnce(session, deepest);
                       state.SetIterationTime(untilPicker ? frames.untilPicker : frames.afterOk);
                   }
                   bench.Check();
               })
            ->UseManualTime();
    }

    const std::string newTpl = (bench.Input().programFolder / "New.tpl").string();
    const std::uint64_t masterSize = bench.Input().templateFile.size();
    AddRow(
        {"Save of a new template",
         "1000 templates, description asked",
         0,
         {},
         1.0,
         Target::AtMostMs(16)},
        [&bench, newTpl, masterSize](benchmark::State& state) {
            Session& session = bench.Started();
            FindControl<QLineEdit>(session.Ed(), "TplNameE")
                ->setText(QStringLiteral("bench_saved"));
            FindControl<QLineEdit>(session.Ed(), "BasedOnE")->setText(QStringLiteral("_particle"));
            for (auto _ : state) {
                session.answers.Expect([&session](QDialog&) {
                    FindControl<QLineEdit>(session.windows->TplDesc(), "E1")
                        ->setText(QStringLiteral("saved by a run"));
                    FindControl<QPushButton>(session.windows->TplDesc(), "BBOK")->click();
                });
                const Clock::time_point start = Clock::now();
                session.Ed().SaveAS1Click();
                QCoreApplication::processEvents();
                state.SetIterationTime(Seconds(start, Clock::now()));
                if (std::filesystem::file_size(newTpl) <= masterSize) {
                    Fault("New.tpl was not written");
                }
            }
            bench.Check();
        })
        ->UseManualTime();

    AddRow({"Append of a template to New.tpl",
            "1000 templates, replacing its line",
            0,
            {},
            1.0,
            Target::AtMostMs(16)},
           [&bench, newTpl](benchmark::State& state) {
               Session& session = bench.Started();
               const std::string oldTpl = session.state.settings.OldTplPath();
               for (auto _ : state) {
                   const Clock::time_point start = Clock::now();
                   session.Ed().AppendtoNewtpl1Click();
                   QCoreApplication::processEvents();
                   state.SetIterationTime(Seconds(start, Clock::now()));
                   if (std::filesystem::file_size(oldTpl) != std::filesystem::file_size(newTpl)) {
                       Fault("Old.tpl does not keep New.tpl");
                   }
               }
               bench.Check();
           })
        ->UseManualTime();

    AddRow(
        {"type change from actor to item", "46 rows to 19 rows", 0, {}, 1.0, Target::AtMostMs(16)},
        [&bench](benchmark::State& state) {
            Session& session = bench.Started();
            for (auto _ : state) {
                FindControl<QComboBox>(session.Ed(), "CB1")->setEditText(QStringLiteral("actor"));
                QCoreApplication::processEvents();
                const Clock::time_point start = Clock::now();
                FindControl<QComboBox>(session.Ed(), "CB1")->setEditText(QStringLiteral("item"));
                QCoreApplication::processEvents();
                state.SetIterationTime(Seconds(start, Clock::now()));
                if (session.Ed().Grid().Row(0).value != "item") {
                    Fault("the grid is not the item grid");
                }
            }
            bench.Check();
        })
        ->UseManualTime();
}

}  // namespace

std::shared_ptr<void> AddWindowBenchmarks(const Inputs& inputs) {
    auto bench = std::make_shared<WindowBenchmarks>(inputs);
    AddStartUp(*bench);
    AddPickerRows(*bench);
    AddFileCommandRows(*bench);
    return bench;
}

}  // namespace skerry::bench
