#include "app/ui/screenshot_tour.hpp"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
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
#include "common/file_path.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "editors/template_file_checks.hpp"
#include "editors/ui/chkr.hpp"
#include "editors/ui/file_check_window.hpp"
#include "editors/ui/finished_template_window.hpp"
#include "editors/ui/tpl_vec.hpp"
#include "resources/gob_container.hpp"
#include "resources/picker_listing.hpp"
#include "resources/ui/container_progress.hpp"
#include "resources/ui/new_texture_dialog.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/qsettings_store.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/catalogue.hpp"
#include "template/new_tpl.hpp"
#include "template/open_template.hpp"
#include "template/template_file.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::ui {

namespace {

// A level of our own making for the picture of a put: a few templates, and sections around.
constexpr const char* kTourLevel =
    "# A level made for Skerry's pictures\r\n"
    "SECTION: JK\r\nVersion 1\r\nend\r\n"
    "Section: TEMPLATES\r\n\r\nWorld templates 4\r\n"
    "#Name:           Based On:        Params:\r\n"
    "_actor           none              type=actor collide=1 move=physics mass=150.0 "
    "health=40.0\r\n"
    "walkplayer       _actor            type=player model3d=kyle.3do puppet=kyle.pup\r\n"
    "ghost            none              type=ghost move=none\r\n"
    "+torch           none              type=cog thingflags=400 model3d=torch.3do\r\n"
    "end\r\n"
    "Section: THINGS\r\nWorld things 0\r\nend\r\n";

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
                    ReadFileBytes(PathFromUtf8(PathToBytes(dir.filePath(file)))).bytes) {
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
    // The Edit menu, saying what it would take back.
    editor.show();
    for (QAction* item : editor.menuBar()->actions()) {
        if (item->menu() != nullptr && item->text() == QStringLiteral("&Edit")) {
            item->menu()->popup(editor.mapToGlobal(QPoint(60, 20)));
            QCoreApplication::processEvents();
            const QString path = QDir(folder).filePath(QStringLiteral("TTplEd-edit.png"));
            failures += item->menu()->grab().save(path) ? 0 : 1;
            Out() << "  " << path << Qt::endl;
            item->menu()->hide();
        }
    }
    editor.hide();
    // The question before a Save that would drop templates of New.tpl.
    const std::unique_ptr<QMessageBox> question = AppendSaveAnywayCancelBox(
        &editor, FromBytes(DropQuestion({"mycrate", "+mybolt"}, state.settings.JedTemplateName())));
    snap(*question, "Question-drop", question->sizeHint());

    // The flag editor open on the thing flags with two entries ticked.
    FindControl<QTableView>(editor, "SG1")->setCurrentIndex(ValueCell(editor, "+ thingflags"));
    QCoreApplication::processEvents();  // the selection opens the list once it has settled
    FindControl<QListWidget>(editor, "CLB1")->item(0)->setCheckState(Qt::Checked);
    FindControl<QListWidget>(editor, "CLB1")->item(4)->setCheckState(Qt::Checked);
    snap(editor, "TTplEd-flags", {1280, 800});

    snap(windows.TplOpt(), "TTplOpt", windows.TplOpt().size());
    // The picker with textures, one of them on show, then with template names.
    TRes& res = windows.Res();
    res.Prepare(PickerRequest::ForResources({".mat"}, "04wall.mat"));
    snap(res, "TRes", {1000, 640});
    ScanReport scan;
    res.Prepare(state.document.TemplateNames("stormtrooper_officer_heavy", scan));
    snap(res, "TRes-templates", {1000, 640});
    // A 16-bit texture, the switch at its second cel, and a model of ours.
    res.Prepare(PickerRequest::ForResources({".mat"}, {}));
    SelectListed(res, "mat\\05sky16.mat");
    snap(res, "TRes-16bit", {1000, 640});
    SelectListed(res, "mat\\07switch.mat");
    snap(res, "TRes-cels", {1000, 640}, [&] { FindControl<QSpinBox>(res, "CelBox")->setValue(1); });
    res.Prepare(PickerRequest::ForResources({".3do"}, "strooper.3do"));
    snap(res, "TRes-model", {1000, 640});
    // New texture from picture: the sample sky, a 16-bit texture of its own colours, drawn
    // four times as large as a PNG picture and made into an 8-bit texture under the sample
    // colormap; with the real files beside the project, under the real dflt.cmp as well (a
    // picture the help leaves out).
    QTemporaryDir pictureFolder;
    const std::optional<std::size_t> sky = FindName(res.Resources().Names(), "mat\\05sky16.mat");
    if (pictureFolder.isValid() && sky) {
        const QString picture = pictureFolder.filePath(QStringLiteral("sky.png"));
        QImage drawn;
        const std::string bmp = res.Resources().DecodeTexture(*sky, 0, '.').bmp;
        drawn.loadFromData(reinterpret_cast<const uchar*>(bmp.data()), static_cast<int>(bmp.size()),
                           "BMP");
        drawn.scaled(256, 256, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(picture);
        NewTextureRequest request{{},
                                  res.Resources().Colormaps(),
                                  res.SelectedColormap(),
                                  pictureFolder.path(),
                                  pictureFolder.path()};
        for (const ResourceState::ColormapEntry& colormap : res.Resources().FindColormaps()) {
            request.colormapNames.push_back(colormap.fileName);
        }
        NewTextureDialog made(request);
        made.AddPicture(picture);
        snap(made, "NewTexture", made.size());
        const QString realColormap = QDir(realData).filePath(QStringLiteral("cmp/tdir_dflt.cmp"));
        if (!realData.isEmpty() && QFileInfo::exists(realColormap)) {
            NewTextureRequest real = request;
            real.colormapNames = {"dflt.cmp"};
            real.colormap = 0;
            real.colormaps.Load(
                0, ReadFileBytes(PathFromUtf8(PathToBytes(realColormap))).bytes.value_or(""));
            NewTextureDialog madeReal(real);
            madeReal.AddPicture(picture);
            snap(madeReal, "NewTexture-realcmp", madeReal.size());
        }
    }
    // A real model, from a container made of the real files for this picture alone.
    QTemporaryDir realFolder;
    if (!realData.isEmpty() && QDir(realData).exists(QStringLiteral("3do")) &&
        realFolder.isValid()) {
        const QString container = realFolder.filePath(QStringLiteral("realdata.gob"));
        if (!WriteFileWhole(PathFromUtf8(PathToBytes(container)), RealContainer(QDir(realData)))) {
            res.GetGobs(PathToBytes(container));
            res.GetCmps();  // the real colormap for the real materials
            const QSignalBlocker quiet(FindControl<QComboBox>(res, "Cb1"));
            FindControl<QComboBox>(res, "Cb1")->setEditText(QStringLiteral("realdata.gob"));
            SelectListed(res, "rpt3.3do");
            snap(res, "TRes-realmodel", {1000, 640});
        }
    }
    // Packing a mod's folder, a third of the way through.
    ContainerProgressDialog packing(&editor, QStringLiteral("Pack folder into container"),
                                    QStringLiteral("Packing"));
    packing.Show({21300000, 64000000, 1365, 4096, "mat\\15wcone2.mat"});
    snap(packing, "ContainerProgress", packing.sizeHint());
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

    // No type's grid holds both physics flags and debris rows, so an explosion grid is given
    // a flags row to show both findings in one report. Named as a template of the sample
    // file, so the report also says what the game makes of its line: the debris it names is
    // in no template of the file.
    ParamGrid blast;
    LoadGridMain(blast, "explosion");
    FillParameters(blast, {{"debris", "+debris_a", true}});
    blast.AddRow({"+ physflags", "physics flags  (flags)", "0x4a"});
    state.document.ReadTemplateFile();
    windows.Ckr().SetTemplate("+big_blast", "_explosion", blast);
    snap(windows.Ckr(), "TCkr", windows.Ckr().size());

    // The whole-file check of the sample template file, with the slips it holds, the line of
    // the first on show.
    FileCheckWindow checks;
    const std::string tplPath = state.document.TemplateFilePath();
    const SourceCheck check = CheckTemplateSource(tplPath, state.document.GameInUse());
    checks.ShowFindings(
        PathFromBytes(tplPath), check.findings,
        SplitTemplateLines(ReadFileBytes(PathFromUtf8(tplPath)).bytes.value_or("")));
    snap(checks, "FileCheckWindow", checks.size());

    // File > Put into level: a trooper with a bolt of its own, saved and put into a level of
    // our own making, and the level's findings with what went in. New.tpl goes to a folder of
    // the picture's own, so the tour leaves the user's as it was.
    QTemporaryDir levelFolder;
    if (levelFolder.isValid()) {
        const std::string workDir = state.settings.workDir;
        state.settings.workDir = PathToBytes(levelFolder.path()) + kDirSeparator;
        const QString level = levelFolder.filePath(QStringLiteral("sample.jkl"));
        WriteFileWhole(PathFromUtf8(PathToBytes(level)), kTourLevel);
        const FileDialogHandler previousDialog = SetFileDialogHandler(
            [&](QWidget*, const FileRequest&) { return std::optional<QString>(level); });
        QTimer putAnswer;
        QObject::connect(&putAnswer, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (modal == nullptr) {
                return;
            }
            if (modal->objectName() == QLatin1String("FileCheckWindow")) {
                modal->resize(1100, 420);
                QCoreApplication::processEvents();
                const QString path =
                    QDir(folder).filePath(QStringLiteral("FileCheckWindow-put.png"));
                const bool saved = modal->grab().save(path);
                failures += saved ? 0 : 1;
                Out() << (saved ? "  " : "  could not write ") << path << Qt::endl;
                modal->reject();
                return;
            }
            FindControl<QLineEdit>(windows.TplDesc(), "E1")
                ->setText(QStringLiteral("a bolt of my own"));
            modal->accept();
        });
        putAnswer.start(1);
        const auto start = [&](const char* type, const char* name, const char* parent,
                               const char* row, const char* value) {
            editor.New1Click();
            FindControl<QComboBox>(editor, "CB1")->setEditText(QString::fromLatin1(type));
            FindControl<QLineEdit>(editor, "TplNameE")->setText(QString::fromLatin1(name));
            FindControl<QLineEdit>(editor, "BasedOnE")->setText(QString::fromLatin1(parent));
            TypeValue(editor, row, QString::fromLatin1(value));
        };
        start("weapon", "+mybolt", "+bryarbolt", "damage", "45.0");
        editor.SaveAS1Click();
        start("actor", "mytrooper", "stormtrooper", "weapon", "+mybolt");
        editor.PutIntoLevel1Click();
        putAnswer.stop();
        SetFileDialogHandler(previousDialog);
        state.settings.workDir = workDir;
    }
    // A new actor based on _humanactor with a model picked: the grid shows in grey what the
    // parents give, and strikes through the movesize the game does not apply to an actor.
    editor.New1Click();
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
