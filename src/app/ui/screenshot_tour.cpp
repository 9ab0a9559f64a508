#include "app/ui/screenshot_tour.hpp"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "app/ui/about_box.hpp"
#include "app/ui/app_windows.hpp"
#include "app/ui/artwork.hpp"
#include "app/ui/finished_view.hpp"
#include "app/ui/grid_table_model.hpp"
#include "app/ui/help_window.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/find_control.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "editors/template_file_checks.hpp"
#include "editors/ui/chkr.hpp"
#include "editors/ui/file_check_window.hpp"
#include "editors/ui/finished_template_window.hpp"
#include "editors/ui/tpl_vec.hpp"
#include "resources/gob_container.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/qsettings_store.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/open_template.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::ui {

namespace {

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

// afterShow runs once the window is up, for what its show handler would otherwise undo.
bool Snap(QWidget& window, const QString& folder, const QString& name,
          const std::function<void()>& afterShow = {}) {
    window.show();
    if (afterShow) {
        afterShow();
    }
    QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    Out() << (saved ? "  " : "  could not write ") << path << Qt::endl;
    window.hide();
    return saved;
}

QModelIndex ValueCell(TTplEd& editor, const char* name) {
    GridTableModel& model = editor.GridModel();
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, GridTableModel::kNameColumn).data().toString() ==
            QLatin1String(name)) {
            return model.index(row, GridTableModel::kValueColumn);
        }
    }
    return {};
}

void TypeValue(TTplEd& editor, const char* name, const QString& value) {
    const QModelIndex cell = ValueCell(editor, name);
    if (cell.isValid()) {
        editor.GridModel().setData(cell, value, Qt::EditRole);
        FindControl<QTableView>(editor, "SG1")->setCurrentIndex(cell);
    }
}

void SelectListed(TRes& res, const char* name) {
    const auto found = FindControl<QListWidget>(res, "LB1")
                           ->findItems(QString::fromLatin1(name), Qt::MatchExactly);
    if (!found.isEmpty()) {
        FindControl<QListWidget>(res, "LB1")->setCurrentItem(found.first());
    }
}

// The real files of a folder (models, materials, colormaps) in a container under the names
// the game gives them: the files are named after where they came from, "jkrecog_rpt3.3do".
std::string RealContainer(const QDir& realData) {
    std::vector<ContainerEntry> entries;
    const auto add = [&](const char* folder, const char* pattern, const std::string& inside) {
        const QDir dir(realData.filePath(QLatin1String(folder)));
        for (const QString& file : dir.entryList({QLatin1String(pattern)}, QDir::Files)) {
            const QString name = file.mid(file.indexOf(QLatin1Char('_')) + 1);
            if (const std::optional<std::string> bytes =
                    ReadFileBytes(PathToBytes(dir.filePath(file))).bytes) {
                entries.push_back({inside + ToBytes(name), *bytes});
            }
        }
    };
    add("3do", "*.3do", "3do\\");
    add("mat", "*.mat", "mat\\");
    add("cmp", "*dflt.cmp", "misc\\cmp\\");
    return MakeContainer(entries);
}

}  // namespace

int RunScreenshotTour(const QString& folder, const QString& settingsFile, const QString& realData) {
    QDir().mkpath(folder);
    const MessageHandler previous = SetMessageHandler(
        [](QWidget*, const QString& text) { Out() << "message: " << text << Qt::endl; });

    AppState state(std::make_unique<QSettingsStore>(settingsFile));
    // Start-up shows the options window modally; nobody is there to press OK.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            Out() << "answered " << modal->windowTitle() << " with OK" << Qt::endl;
            modal->accept();
        }
    });
    answer.start(1);
    AppWindows windows(state);
    answer.stop();
    int failures = 0;
    auto snap = [&](QWidget& window, const char* name, QSize size,
                    const std::function<void()>& afterShow = {}) {
        window.resize(size);
        failures += Snap(window, folder, QString::fromLatin1(name), afterShow) ? 0 : 1;
    };

    TTplEd& editor = windows.TplEd();
    editor.resize(1280, 800);
    editor.show();
    QCoreApplication::processEvents();
    editor.New1Click();
    FindControl<QComboBox>(editor, "CB1")->setEditText(QStringLiteral("actor"));
    FindControl<QLineEdit>(editor, "TplNameE")->setText(QStringLiteral("mytrooper"));
    FindControl<QLineEdit>(editor, "BasedOnE")->setText(QStringLiteral("none"));
    TypeValue(editor, "health", QStringLiteral("40.0"));
    TypeValue(editor, "maxthrust", QStringLiteral("1.5"));
    TypeValue(editor, "mass", QStringLiteral("150.0"));
    editor.ViewSBClick();
    FindControl<QTableView>(editor, "SG1")->scrollToTop();
    snap(editor, "TTplEd", {1280, 800});

    // The flag editor open on the thing flags with two entries ticked.
    FindControl<QTableView>(editor, "SG1")->setCurrentIndex(ValueCell(editor, "+ thingflags"));
    QCoreApplication::processEvents();  // the selection opens the list once it has settled
    FindControl<QListWidget>(editor, "CLB1")->item(0)->setCheckState(Qt::Checked);
    FindControl<QListWidget>(editor, "CLB1")->item(4)->setCheckState(Qt::Checked);
    snap(editor, "TTplEd-flags", {1280, 800});

    snap(windows.TplOpt(), "TTplOpt", windows.TplOpt().size());
    // The picker with textures, one of them on show, then with template names.
    TRes& res = windows.Res();
    res.SetResourceMode(true);
    res.GetRes(".mat", true);
    SelectListed(res, "mat\\04wall.mat");
    snap(res, "TRes", {1000, 640});
    res.ClearList();
    res.AddNames(state.templates.OfferedTemplateNames());
    res.SetResourceMode(false);
    SelectListed(res, "stormtrooper_officer_heavy");
    snap(res, "TRes-templates", {1000, 640});
    // A 16-bit texture, the switch at its second cel, and a model of ours.
    res.SetResourceMode(true);
    res.GetRes(".mat", true);
    SelectListed(res, "mat\\05sky16.mat");
    snap(res, "TRes-16bit", {1000, 640});
    SelectListed(res, "mat\\07switch.mat");
    snap(res, "TRes-cels", {1000, 640}, [&] { FindControl<QSpinBox>(res, "CelBox")->setValue(1); });
    res.GetRes(".3do", true);
    SelectListed(res, "strooper.3do");
    snap(res, "TRes-model", {1000, 640});
    // A real model, from a container made of the real files for this picture alone.
    QTemporaryDir realFolder;
    if (!realData.isEmpty() && QDir(realData).exists(QStringLiteral("3do")) &&
        realFolder.isValid()) {
        const QString container = realFolder.filePath(QStringLiteral("realdata.gob"));
        if (!WriteFileWhole(PathToBytes(container), RealContainer(QDir(realData)))) {
            res.GetGobs(PathToBytes(container));
            res.GetCmps();  // the real colormap for the real materials
            const QSignalBlocker quiet(FindControl<QComboBox>(res, "Cb1"));
            FindControl<QComboBox>(res, "Cb1")->setEditText(QStringLiteral("realdata.gob"));
            SelectListed(res, "rpt3.3do");
            snap(res, "TRes-realmodel", {1000, 640});
        }
    }
    windows.AboutBox().SetWorkFolder(PathFromBytes(state.settings.workDir));
    snap(windows.AboutBox(), "TAboutBox", windows.AboutBox().size());
    FindControl<QLineEdit>(windows.TplDesc(), "E1")
        ->setText(QStringLiteral("A stormtrooper that hits harder"));
    snap(windows.TplDesc(), "Ttpl_desc", windows.TplDesc().size());
    TVector& vector = windows.Vector();
    vector.SetCell(QStringLiteral("(0.25/-1.5/0.04:0/90/0)"), false);
    snap(vector, "TVector", {380, 230}, [&] {
        FindControl<QLineEdit>(vector, "EYw")->setFocus();
        FindControl<QLineEdit>(vector, "EYw")->setText(QStringLiteral("135"));
    });

    // No type's grid holds both physics flags and debris rows, so the explosion grid is
    // given a flags row to show both findings in one report.
    // Written through the core: selecting a debris cell would open its picker.
    FindControl<QComboBox>(editor, "CB1")->setEditText(QStringLiteral("explosion"));
    ParamGrid& grid = editor.Grid();
    editor.GridModel().BeginReset();
    FillParameters(grid, {{"debris", "+debris_a", true}});
    grid.SetRowCount(grid.RowCount() + 1);
    grid.Row(grid.RowCount() - 1) = {"+ physflags", "physics flags  (flags)", "0x4a"};
    editor.GridModel().EndReset();
    // Named as a template of the sample file, so the report also says what the game makes of
    // its line: the debris it names is in no template of the file.
    windows.Ckr().SetTemplate("+big_blast", "_explosion");
    snap(windows.Ckr(), "TCkr", windows.Ckr().size());

    // The whole-file check of the sample template file, with the slips it holds.
    FileCheckWindow checks;
    const std::string tplPath = state.templates.TemplateFilePath(state.settings);
    const SourceCheck check =
        CheckTemplateSource(tplPath, state.settings.motsDialect ? Game::Mots : Game::JediKnight);
    checks.ShowFindings(PathFromBytes(tplPath), check.findings);
    snap(checks, "FileCheckWindow", checks.size());

    // A new actor based on _humanactor with a model picked: the grid shows in grey what the
    // parents give, and strikes through the movesize the game does not apply to an actor.
    FindControl<QComboBox>(editor, "CB1")->setEditText(QStringLiteral("actor"));
    FindControl<QLineEdit>(editor, "TplNameE")->setText(QStringLiteral("mytrooper"));
    FindControl<QLineEdit>(editor, "BasedOnE")->setText(QStringLiteral("_humanactor"));
    TypeValue(editor, "health", QStringLiteral("60.0"));
    // Through the core, so that neither cell is the current one: the picker would open on the
    // model's, and the selection's colours would hide the movesize's line.
    editor.GridModel().setData(ValueCell(editor, "+ model3d"), QStringLiteral("strooper.3do"),
                               Qt::EditRole);
    editor.GridModel().setData(ValueCell(editor, "movesize"), QStringLiteral("0.1"), Qt::EditRole);
    editor.ViewSBClick();
    snap(editor, "TTplEd-inherited", {1280, 800},
         [&] { FindControl<QTableView>(editor, "SG1")->scrollToTop(); });
    snap(editor.Finished().Window(), "FinishedTemplateWindow", {640, 560},
         [&] { editor.Finished().ShowWindow(); });

    // The help at its contents page.
    HelpWindow help;
    help.ShowTopic(PathFromBytes(state.settings.HelpFilePath()), HelpWindow::kContentsContext);
    snap(help, "Help", {800, 600});

    // The icon desktops show for the program, from the same drawing as the windows' icon.
    const QString icon = QDir(folder).filePath(QStringLiteral("skerry.png"));
    failures += SkerryIconPixmap(256).save(icon) ? 0 : 1;
    Out() << "  " << icon << Qt::endl;

    SetMessageHandler(previous);
    Out() << "Screenshots are in " << QDir(folder).absolutePath() << Qt::endl;
    return failures;
}

}  // namespace skerry::ui
