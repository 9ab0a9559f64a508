#include "app/ui/tpl_ed.hpp"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/about_box.hpp"
#include "app/ui/app_windows.hpp"
#include "app/ui/finished_view.hpp"
#include "app/ui/grid_table_model.hpp"
#include "app/ui/help_window.hpp"
#include "app/ui/keys_window.hpp"
#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/ui/look.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "common/ui/window_geometry.hpp"
#include "editors/ui/chkr.hpp"
#include "editors/ui/tpl_vec.hpp"
#include "resources/ui/container_commands.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/catalogue.hpp"

namespace skerry::ui {

namespace {

constexpr int kTopBarHeight = 30;
constexpr int kBoxWidth = 120;
constexpr int kGridHeight = 201;
constexpr int kMemoHeight = 71;
constexpr int kBitListWidth = 151;
constexpr int kSplitterWidth = 6;
constexpr int kRowHeight = 20;
constexpr int kValueColumnWidth = 175;
constexpr int kBitCount = static_cast<int>(kFlagEntryCount);

QAction* MenuItem(QMenu* menu, const char* objectName, const QString& caption, const QString& hint,
                  bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setStatusTip(hint);
    action->setToolTip(hint);
    action->setEnabled(enabled);
    return action;
}

QToolButton* FlatButton(const char* objectName, const QString& caption, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

TTplEd::TTplEd(Settings& settings, TemplateDocument& document, SettingsStore& store)
    : settings_(settings), document_(document), store_(store) {
    setObjectName(QStringLiteral("TTplEd"));
    gridModel_ = new GridTableModel(document_, this);
    BuildMenus();
    BuildLayout();
    BuildValueMenu();
    finished_ = std::make_unique<FinishedView>(document_, this);
    document_.SetListener(
        [this](DocumentChange change, std::size_t row) { DocumentChanged(change, row); });
    FormCreate();
}

// The document outlives the window.
TTplEd::~TTplEd() {
    document_.SetListener(nullptr);
}

void TTplEd::BuildMenus() {
    // The captions of the window descriptions, with the letter Alt reaches each by underlined.
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setToolTipsVisible(true);
    New1 = MenuItem(file, "New1", QStringLiteral("&New"), QStringLiteral("Make a new template"));
    Open1 = MenuItem(file, "Open1", QStringLiteral("&Open "),
                     QStringLiteral("Open an existing template"));
    OpenNewtpl1 = MenuItem(file, "OpenNewtpl1", QStringLiteral("Open New.&tpl"),
                           QStringLiteral("Opens the new.tpl file once saved"));
    OpenRecent1 = file->addMenu(QStringLiteral("Open &Recent"));
    OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
    OpenRecent1->setToolTipsVisible(true);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    SaveAS1 = MenuItem(file, "SaveAS1", QStringLiteral("&Save "),
                       QStringLiteral("Saves the template to new.tpl"), false);
    AppendtoNewtpl1 = MenuItem(file, "AppendtoNewtpl1", QStringLiteral("&Append to New.tpl"),
                               QStringLiteral("Adds changes to the new.tpl file"), false);
    BuildLevelMenu(file);
    file->addSeparator()->setObjectName(QStringLiteral("N2"));
    CopyNew = MenuItem(
        file, "CopyNew", QStringLiteral("&Copy New.tpl to project dir"),
        QStringLiteral("Copies your completed  new.tpl file to - does not save current changes."),
        false);
    AddPackFolderCommand(file, this, settings_);
    file->addSeparator()->setObjectName(QStringLiteral("N5"));
    Exit1 = MenuItem(file, "Exit1", QStringLiteral("E&xit"), QStringLiteral("exit Skerry"));
    // The platform's own keys for the commands every desktop program has.
    New1->setShortcut(QKeySequence::New);
    Open1->setShortcut(QKeySequence::Open);
    SaveAS1->setShortcut(QKeySequence::Save);
    // Not every platform has a Save As key (Windows has none); Ctrl+Shift+S is the usual one.
    const QList<QKeySequence> saveAs = QKeySequence::keyBindings(QKeySequence::SaveAs);
    AppendtoNewtpl1->setShortcut(saveAs.isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                                  : saveAs.front());
    Exit1->setShortcut(QKeySequence::Quit);
    // Whether New.tpl is there is read from the disk each time the menu opens.
    connect(file, &QMenu::aboutToShow, this, &TTplEd::ShowCommands);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setToolTipsVisible(true);
    Undo1 = MenuItem(edit, "Undo1", QStringLiteral("&Undo"),
                     QStringLiteral("Takes back the last change to the template"), false);
    Redo1 = MenuItem(edit, "Redo1", QStringLiteral("&Redo"),
                     QStringLiteral("Makes the change taken back again"), false);
    Undo1->setShortcuts(QKeySequence::Undo);
    // Both keys of the platforms for Redo: Ctrl+Y and Ctrl+Shift+Z.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(key)) {
            redoKeys.append(key);
        }
    }
    Redo1->setShortcuts(redoKeys);
    connect(Undo1, &QAction::triggered, this, &TTplEd::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TTplEd::Redo1Click);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setToolTipsVisible(true);
    Templateline1 = MenuItem(view, "Templateline1", QStringLiteral("&Template line"),
                             QStringLiteral("Views changes to  template"));
    Templateline1->setShortcut(QKeySequence(Qt::Key_F12));
    VNewtpl1 = MenuItem(view, "VNewtpl1", QStringLiteral("&New.tpl"),
                        QStringLiteral("views entire new.tpl file"), false);
    view->addSeparator()->setObjectName(QStringLiteral("N4"));
    TemplateChecks1 = MenuItem(view, "TemplateChecks1", QStringLiteral("Template &Checks"),
                               QStringLiteral("checks for errors in template"));
    TemplateChecks1->setShortcut(QKeySequence(Qt::Key_F10));

    Options1 = menuBar()->addAction(QStringLiteral("&Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    Options1->setStatusTip(QStringLiteral("Set Directories and template type"));
    Options1->setToolTip(Options1->statusTip());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setToolTipsVisible(true);
    HelpContents1 = MenuItem(help, "HelpContents1", QStringLiteral("&Help Contents"),
                             QStringLiteral("opens skerry help file"));
    HelpContents1->setShortcut(QKeySequence::HelpContents);
    KeyboardShortcuts1 = MenuItem(help, "KeyboardShortcuts1", QStringLiteral("&Keyboard shortcuts"),
                                  QStringLiteral("Lists the keys of every window"));
    help->addSeparator()->setObjectName(QStringLiteral("N3"));
    AboutSkerry1 = MenuItem(help, "AboutSkerry1", QStringLiteral("&About Skerry"),
                            QStringLiteral("Shows the about box"));

    connect(New1, &QAction::triggered, this, &TTplEd::New1Click);
    connect(Open1, &QAction::triggered, this, &TTplEd::Open1Click);
    connect(OpenNewtpl1, &QAction::triggered, this, &TTplEd::OpenNewtpl1Click);
    connect(SaveAS1, &QAction::triggered, this, &TTplEd::SaveAS1Click);
    connect(AppendtoNewtpl1, &QAction::triggered, this, &TTplEd::AppendtoNewtpl1Click);
    connect(CopyNew, &QAction::triggered, this, &TTplEd::CopyNewClick);
    connect(VNewtpl1, &QAction::triggered, this, &TTplEd::VNewtpl1Click);
    connect(Exit1, &QAction::triggered, this, &TTplEd::Exit1Click);
    connect(Templateline1, &QAction::triggered, this, &TTplEd::ViewSBClick);
    connect(TemplateChecks1, &QAction::triggered, this, &TTplEd::TemplateChecks1Click);
    connect(Options1, &QAction::triggered, this, &TTplEd::Options1Click);
    connect(HelpContents1, &QAction::triggered, this, &TTplEd::HelpContents1Click);
    connect(AboutSkerry1, &QAction::triggered, this, &TTplEd::AboutSkerry1Click);
    connect(KeyboardShortcuts1, &QAction::triggered, this, &TTplEd::KeyboardShortcuts1Click);

    CheckTemplateFile1 =
        MenuItem(view, "CheckTemplateFile1", QStringLiteral("Check template &file"),
                 QStringLiteral("checks the whole template file as the game reads it"));
    connect(CheckTemplateFile1, &QAction::triggered, this, &TTplEd::CheckTemplateFile1Click);
    WhatTheGameUses1 =
        MenuItem(view, "WhatTheGameUses1", QStringLiteral("What the game &uses"),
                 QStringLiteral("shows the template as the game finishes it over its parents"));
    connect(WhatTheGameUses1, &QAction::triggered, this, [this] { finished_->ShowWindow(); });
}

void TTplEd::BuildLayout() {
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* topBar = new QWidget;
    topBar->setObjectName(QStringLiteral("TopBar"));
    topBar->setFixedHeight(kTopBarHeight);
    auto* bar = new QHBoxLayout(topBar);
    bar->setContentsMargins(2, 2, 2, 2);
    TplNameE = new QLineEdit(QStringLiteral("Name"));
    TplNameE->setObjectName(QStringLiteral("TplNameE"));
    BasedOnE = new QLineEdit(QStringLiteral("Based on"));
    BasedOnE->setObjectName(QStringLiteral("BasedOnE"));
    CB1 = new QComboBox;
    CB1->setObjectName(QStringLiteral("CB1"));
    CB1->setEditable(true);
    CB1->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string_view word : catalogue::kTypeWords) {
        CB1->addItem(FromBytes(word));
    }
    CB1->model()->sort(0);
    CB1->setEditText(QStringLiteral("type="));
    for (QWidget* box : {static_cast<QWidget*>(TplNameE), static_cast<QWidget*>(BasedOnE),
                         static_cast<QWidget*>(CB1)}) {
        box->setFixedWidth(kBoxWidth);
        bar->addWidget(box);
    }
    ViewSB = FlatButton("ViewSB", QStringLiteral(" Line"), QStringLiteral("View Template"));
    VNtpl = FlatButton("VNtpl", QStringLiteral("New.tpl"),
                       QStringLiteral("Shows the Last Template File Created"));
    VNtpl->setEnabled(false);
    FlagOK = FlatButton("FlagOK", QStringLiteral("Flag"), QStringLiteral("Claculate the Flag"));
    bar->addWidget(ViewSB);
    bar->addWidget(VNtpl);
    bar->addWidget(FlagOK);
    bar->addStretch(1);
    column->addWidget(topBar);

    SG1 = new QTableView;
    SG1->setObjectName(QStringLiteral("SG1"));
    SG1->setModel(gridModel_);
    SG1->horizontalHeader()->hide();
    SG1->verticalHeader()->hide();
    SG1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    SG1->verticalHeader()->setMinimumSectionSize(kRowHeight);
    SG1->setSelectionMode(QAbstractItemView::SingleSelection);
    SG1->setSelectionBehavior(QAbstractItemView::SelectItems);
    SG1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    SG1->setTabKeyNavigation(true);
    SG1->setWordWrap(false);
    SG1->setStyleSheet(QStringLiteral(
        "QTableView { background-color: #a0a0a0; gridline-color: #606060; font-weight: bold; }"
        "QTableView::item:selected { background-color: #000080; color: white; }"));
    SG1->viewport()->installEventFilter(this);

    RE1 = TextView("RE1", true);
    RE1->setStyleSheet(TextOnBlack("QPlainTextEdit"));

    CLB1 = new QListWidget;
    CLB1->setObjectName(QStringLiteral("CLB1"));
    CLB1->setFixedWidth(kBitListWidth);
    CLB1->setStyleSheet(BitListLook());
    for (int bit = 0; bit < kBitCount; ++bit) {
        auto* item = new QListWidgetItem(CLB1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }

    auto* middle = new QWidget;
    auto* middleRow = new QHBoxLayout(middle);
    middleRow->setContentsMargins(0, 0, 0, 0);
    middleRow->setSpacing(0);
    middleRow->addWidget(RE1, 1);
    middleRow->addWidget(CLB1);

    Memo = TextView("Memo", false);
    Memo->setStyleSheet(TextOnBlack("QPlainTextEdit", kAqua));

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    splitter_->setHandleWidth(kSplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->setStyleSheet(
        QStringLiteral("QSplitter::handle { background-color: %1; }").arg(QLatin1String(kTeal)));
    splitter_->addWidget(SG1);
    splitter_->addWidget(middle);
    splitter_->addWidget(Memo);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setStretchFactor(2, 0);
    splitter_->setSizes({kGridHeight, 200, kMemoHeight});
    column->addWidget(splitter_, 1);
    setCentralWidget(central);

    static constexpr int kPanelWidths[3] = {200, 200, 50};
    statusBar()->setObjectName(QStringLiteral("SBar"));
    for (int i = 0; i < 3; ++i) {
        SBarPanels[i] = new QLabel;
        SBarPanels[i]->setObjectName(QStringLiteral("SBarPanel%1").arg(i));
        SBarPanels[i]->setFixedWidth(kPanelWidths[i]);
        SBarPanels[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(SBarPanels[i]);
    }

    connect(ViewSB, &QToolButton::clicked, this, &TTplEd::ViewSBClick);
    connect(VNtpl, &QToolButton::clicked, this, &TTplEd::VNewtpl1Click);
    BasedOnE->installEventFilter(this);
    // The boxes and text areas keep no undo of their own: Ctrl+Z there undoes the template's
    // last change. Only a cell being edited takes the key for its own text.
    for (QWidget* box :
         {static_cast<QWidget*>(TplNameE), static_cast<QWidget*>(CB1->lineEdit()),
          static_cast<QWidget*>(Memo), static_cast<QWidget*>(RE1), static_cast<QWidget*>(SG1)}) {
        box->installEventFilter(this);
    }
    connect(TplNameE, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showingFields_) {
            document_.SetName(ToBytes(text));
        }
    });
    connect(BasedOnE, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showingFields_) {
            document_.SetParent(ToBytes(text));
        }
    });
    connect(CB1, &QComboBox::editTextChanged, this, &TTplEd::CB1Change);
    connect(Memo, &QPlainTextEdit::selectionChanged, this, &TTplEd::MemoSelectionChange);
    connect(FlagOK, &QToolButton::clicked, this, &TTplEd::FlagOKClick);
    connect(CLB1, &QListWidget::itemClicked, this, &TTplEd::CLB1Click);
    connect(CLB1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        flags_.SetTicked(static_cast<std::size_t>(CLB1->row(item)),
                         item->checkState() == Qt::Checked);
    });
    // The dispatch may open a modal window, so it runs after the view has finished handling
    // the key or mouse press that moved the selection.
    connect(SG1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (loadingGrid_ || !current.isValid()) {
                    return;
                }
                const int row = current.row();
                const int col = current.column();
                QTimer::singleShot(0, this, [this, col, row] { SG1SelectCell(col, row); });
            });
    connect(SG1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index == currentAtPress_) {
            SG1SelectCell(index.column(), index.row());
        }
    });
}

void TTplEd::FormCreate() {
    // The catalogue is compiled in; nothing to fill at run time. A run starts with no
    // template and no history.
    document_.Reset();
    flags_ = FlagEditor();  // idle: bits read as a word, single-value mode off
    RedrawFlagList();
    FlagOK->hide();
    CLB1->hide();
    recent_.Load(store_);
    FillRecentMenu();
}

void TTplEd::DocumentChanged(DocumentChange change, std::size_t row) {
    switch (change) {
        case DocumentChange::RowsAboutToBeReplaced:
            loadingGrid_ = true;
            gridModel_->BeginReset();
            return;
        case DocumentChange::RowsReplaced:
            gridModel_->EndReset();
            loadingGrid_ = false;
            GridLoaded();
            finished_->Update();
            return;
        case DocumentChange::Value:
            gridModel_->ValueChanged(static_cast<int>(row));
            // What the game makes of the other rows may follow from this one.
            gridModel_->CellsChanged();
            finished_->Update();
            return;
        case DocumentChange::Boxes:
            ShowFields();
            ShowCommands();
            gridModel_->CellsChanged();
            finished_->Update();
            return;
        case DocumentChange::History:
            ShowCommands();
            return;
    }
}

void TTplEd::ShowFields() {
    const DocumentState& state = document_.State();
    showingFields_ = true;
    // A box's text is set only when it differs, so that typing into it keeps its caret.
    if (ToBytes(TplNameE->text()) != state.name) {
        TplNameE->setText(FromBytes(state.name));
    }
    if (ToBytes(BasedOnE->text()) != state.parent) {
        BasedOnE->setText(FromBytes(state.parent));
    }
    if (ToBytes(CB1->currentText()) != state.typeText) {
        const QSignalBlocker quiet(CB1);
        CB1->setEditText(FromBytes(state.typeText));
    }
    if (ToBytes(Memo->toPlainText()) != state.memo) {
        const QSignalBlocker quiet(Memo);
        Memo->setPlainText(FromBytes(state.memo));
    }
    showingFields_ = false;
    CB1->setVisible(document_.Started());
    BasedOnE->setEnabled(document_.Started());
}

void TTplEd::ShowCommands() {
    const bool newTpl = document_.NewTplExists();
    const bool rows = document_.HasRows();
    SaveAS1->setEnabled(rows);
    AppendtoNewtpl1->setEnabled(rows && newTpl);
    PutIntoLevel1->setEnabled(rows);
    for (QAction* action : {OpenNewtpl1, VNewtpl1, CopyNew}) {
        action->setEnabled(newTpl);
    }
    VNtpl->setEnabled(newTpl);
    const CommandHistory& history = document_.History();
    Undo1->setEnabled(history.CanUndo());
    Undo1->setText(history.CanUndo() ? QStringLiteral("&Undo %1").arg(FromBytes(history.UndoText()))
                                     : QStringLiteral("&Undo"));
    Redo1->setEnabled(history.CanRedo());
    Redo1->setText(history.CanRedo() ? QStringLiteral("&Redo %1").arg(FromBytes(history.RedoText()))
                                     : QStringLiteral("&Redo"));
    setWindowTitle(settings_.motsDialect ? QStringLiteral("Skerry ver 1.0c \u2014 Mots")
                                         : QStringLiteral("Skerry ver 1.0c \u2014 Jedi Knight"));
}

void TTplEd::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

bool TTplEd::eventFilter(QObject* watched, QEvent* event) {
    // The viewport, not the window, says how wide the columns may be: it narrows when the
    // grid's scroll bar appears.
    if (watched == SG1->viewport() && event->type() == QEvent::Resize) {
        FormResize();
    } else if (watched == SG1->viewport() && event->type() == QEvent::MouseButtonPress) {
        currentAtPress_ = SG1->currentIndex();
    } else if (watched == SG1 && event->type() == QEvent::FocusIn &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason &&
               !SG1->currentIndex().isValid() && gridModel_->rowCount() > 0) {
        // Only the value column takes the keyboard, and the view's own first choice is the
        // name cell, so a grid reached by Tab would have no cell to move from.
        SG1->setCurrentIndex(gridModel_->index(0, GridTableModel::kValueColumn));
    } else if (watched == BasedOnE && event->type() == QEvent::MouseButtonRelease &&
               BasedOnE->isEnabled()) {
        BasedOnEClick();
        return true;
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Ignored, the key goes on to Edit > Undo and Redo rather than to the box's own undo.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            Redo1->shortcuts().contains(QKeySequence(key->keyCombination()))) {
            key->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

// The description column takes the room the other two leave, so that the value column is
// never pushed out of sight; the name column is never narrower than its longest name.
void SetColumnWidths(QTableView* grid, int nameWidth) {
    const QFontMetrics metrics(grid->font());
    int widest = 0;
    const QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        widest =
            std::max(widest, metrics.horizontalAdvance(model->index(row, 0).data().toString()));
    }
    nameWidth = std::max(nameWidth, widest + 12);
    const int available = grid->viewport()->width();
    grid->setColumnWidth(GridTableModel::kNameColumn, nameWidth);
    grid->setColumnWidth(GridTableModel::kValueColumn, kValueColumnWidth);
    grid->setColumnWidth(GridTableModel::kDescriptionColumn,
                         std::max(100, available - nameWidth - kValueColumnWidth));
}

}  // namespace

void TTplEd::FormShow() {
    SetColumnWidths(SG1, 150);
    ShowCommands();  // the dialect is settled by now
}

void TTplEd::FormResize() {
    SetColumnWidths(SG1, 100);
}

void TTplEd::CB1Change(const QString& text) {
    CommitPendingEdit();
    document_.ChangeType(ToBytes(text));
}

void TTplEd::GridLoaded() {
    // The open bit list belongs to a row of the old grid; the Flag button must not write
    // into whatever parameter the new grid has there.
    CloseFlagList();
    FormResize();
}

void TTplEd::CommitPendingEdit() {
    const QModelIndex current = SG1->currentIndex();
    QWidget* editor = current.isValid() ? SG1->indexWidget(current) : nullptr;
    if (editor == nullptr) {
        return;
    }
    // What the delegate does on Enter: the view writes the text into the model and closes
    // the editor, so nothing written later into that cell is overwritten by stale text.
    QAbstractItemDelegate* delegate = SG1->itemDelegateForIndex(current);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TTplEd::SG1SelectCell(int /*column*/, int row) {
    CommitPendingEdit();
    currentRow_ = row;
    CloseFlagList();
    if (row < 0 || static_cast<std::size_t>(row) >= Grid().RowCount()) {
        return;
    }
    const GridRow cells = Grid().Row(static_cast<std::size_t>(row));
    if (cells.Kept()) {
        return;  // a kept field is typed by hand: no picker knows what it takes
    }
    std::vector<std::string> extensions;
    for (const PickerAction& action : PickerDispatch(cells.name, cells.description)) {
        RunPickerAction(action, extensions);
    }
}

void TTplEd::RunPickerAction(const PickerAction& action, std::vector<std::string>& extensions) {
    using K = PickerAction::Kind;
    switch (action.kind) {
        case K::ListTemplates:
            DisplayAll();
            break;
        case K::ListDescendants:
            DisplayWep(action.text);
            break;
        case K::EditFlags:
            GetFlag(action.text);
            break;
        case K::EditTypeFlags:
            GetTypeFlag();
            break;
        case K::ListResources:
            if (action.clearFirst) {
                extensions.clear();
            }
            extensions.push_back(action.text);
            break;
        case K::ShowResourcePicker:
            PickForCurrentRow(PickerRequest::ForResources(extensions, CurrentValue()));
            break;
        case K::EditVector:
            vectorMode_ = true;
            VectorResult();
            break;
        case K::EditFrame:
            vectorMode_ = false;
            VectorResult();
            break;
    }
}

std::string TTplEd::CurrentValue() const {
    const auto row = static_cast<std::size_t>(currentRow_);
    return currentRow_ >= 0 && row < Grid().RowCount() ? Grid().Row(row).value : std::string();
}

void TTplEd::SetCurrentValue(const std::string& value) {
    if (currentRow_ >= 0) {
        document_.SetValue(static_cast<std::size_t>(currentRow_), value);
    }
}

void TTplEd::MemoSelectionChange() {
    CommitPendingEdit();
    // Only a whole param=value selection writes: a caret move or a half-made drag selection
    // would otherwise wipe the value the user is about to replace.
    QString selected = Memo->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const ParamSplit split = SplitParameter(ToBytes(selected));
    if (!split.hasEquals) {
        return;
    }
    std::string value = split.value;
    while (!value.empty() && static_cast<unsigned char>(value.back()) <= ' ') {
        value.pop_back();
    }
    SetCurrentValue(value);
    ViewSBClick();
}

void TTplEd::ViewSBClick() {
    CommitPendingEdit();
    RE1->setPlainText(FromBytes(document_.Line()));
}

void TTplEd::Tell(const ScanReport& report) {
    if (report.message) {
        ShowMessage(this, PathFromBytes(*report.message));
    }
}

void TTplEd::DisplayAll() {
    ScanReport report;
    const PickerRequest request = document_.TemplateNames(CurrentValue(), report);
    Tell(report);
    PickForCurrentRow(request);
}

void TTplEd::DisplayWep(const std::string& base) {
    ScanReport report;
    const PickerRequest request = document_.Descendants(base, CurrentValue(), report);
    Tell(report);
    PickForCurrentRow(request);
}

std::optional<std::string> TTplEd::ShowPicker(const PickerRequest& request) {
    if (windows_ == nullptr) {
        return std::nullopt;
    }
    // Once the picker has listed a container's entries, the dialect is settled for the run.
    windows_->TplOpt().FixDialect();
    return windows_->Res().Choose(request);
}

void TTplEd::PickForCurrentRow(const PickerRequest& request) {
    const int row = currentRow_;
    if (const std::optional<std::string> pick = ShowPicker(request); pick && row >= 0) {
        document_.SetValue(static_cast<std::size_t>(row), *pick);
    }
    ViewSBClick();
}

void TTplEd::VectorResult() {
    CommitPendingEdit();
    if (windows_ == nullptr) {
        return;
    }
    TVector& vector = windows_->Vector();
    if (vector.ShowModal(FromBytes(CurrentValue()), vectorMode_) == QDialog::Accepted) {
        SetCurrentValue(ToBytes(vector.Result()));
    }
    ViewSBClick();
}

void TTplEd::GetFlag(std::string_view key) {
    if (!flags_.GetFlag(key)) {
        return;  // no such kind: the list stays closed rather than show stale entries
    }
    SortFlag();
    RedrawFlagList();
    SBarPanels[1]->setText(FromBytes(flags_.Title()));
}

void TTplEd::GetTypeFlag() {
    if (currentRow_ >= 0 && static_cast<std::size_t>(currentRow_) < Grid().RowCount()) {
        GetFlag(TypeFlagKey(Grid().Row(static_cast<std::size_t>(currentRow_)).description));
    }
}

void TTplEd::SortFlag() {
    CLB1->show();
    FlagOK->show();
    FlagOK->setEnabled(true);
}

void TTplEd::CloseFlagList() {
    FlagOK->hide();
    FlagOK->setEnabled(false);
    CLB1->hide();
}

void TTplEd::RedrawFlagList() {
    const QSignalBlocker quiet(CLB1);
    const FlagEditor::Entries& entries = flags_.List();
    for (int i = 0; i < CLB1->count(); ++i) {
        const FlagEditor::Entry& entry = entries[static_cast<std::size_t>(i)];
        QListWidgetItem* item = CLB1->item(i);
        item->setText(FromBytes(entry.caption));
        item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void TTplEd::FlagOKClick() {
    CommitPendingEdit();
    const FlagPress press = flags_.PressFlag();
    RedrawFlagList();
    switch (press.outcome) {
        case FlagPress::Outcome::NothingTicked:
            ShowMessage(this, FromMessage(kChooseFlagMessage));
            return;
        case FlagPress::Outcome::MoreThanOne:
            ShowMessage(this, FromMessage(kMoreThanOneBitMessage));
            CloseFlagList();
            return;
        case FlagPress::Outcome::Value:
            SetCurrentValue(press.text);
            CloseFlagList();
            ViewSBClick();
            return;
    }
}

void TTplEd::CLB1Click() {
    // The list is narrow; the hint shows a long name whole.
    for (int i = 0; i < CLB1->count(); ++i) {
        if (CLB1->item(i)->isSelected()) {
            CLB1->setToolTip(CLB1->item(i)->text());
            return;
        }
    }
    CLB1->setToolTip(QString());
}

void TTplEd::Exit1Click() {
    close();
}

void TTplEd::Options1Click() {
    if (windows_ != nullptr) {
        windows_->TplOpt().exec();
    }
}

void TTplEd::AboutSkerry1Click() {
    if (windows_ != nullptr) {
        windows_->AboutBox().ShowModal(PathFromBytes(settings_.workDir));
    }
}

void TTplEd::TemplateChecks1Click() {
    CommitPendingEdit();
    if (windows_ != nullptr) {
        // The template's line is held against the file the names come from; a file that
        // cannot be read shows as the findings it causes.
        document_.ReadTemplateFile();
        const DocumentState& state = document_.State();
        windows_->Ckr().SetTemplate(state.name, state.parent, state.grid);
        windows_->Ckr().exec();
    }
}

void TTplEd::Undo1Click() {
    CommitPendingEdit();
    document_.Undo();
    ViewSBClick();
}

void TTplEd::Redo1Click() {
    CommitPendingEdit();
    document_.Redo();
    ViewSBClick();
}

void TTplEd::KeyboardShortcuts1Click() {
    if (keys_ == nullptr) {
        keys_ = new TKeys(*menuBar(), this);
    }
    keys_->exec();
}

void TTplEd::SaveLayout() {
    store_.Write(kMainGeometryValue, ToBytes(SaveWindowGeometry(*this)));
    store_.Write(kMainSplitterValue, ToBytes(SaveSplitters({splitter_})));
}

bool TTplEd::RestoreLayout() {
    const bool placed =
        RestoreWindowGeometry(*this, FromBytes(store_.Read(kMainGeometryValue).value_or("")));
    if (placed) {
        RestoreSplitters({splitter_}, FromBytes(store_.Read(kMainSplitterValue).value_or("")));
    }
    return placed;
}

void TTplEd::HelpContents1Click() {
    const std::string path = settings_.HelpFilePath();
    if (!FileExists(PathFromUtf8(path))) {
        ShowMessage(this, QStringLiteral("Cannot find the help file %1").arg(FromBytes(path)));
        return;
    }
    if (help_ == nullptr) {
        help_ = new HelpWindow(this);
    }
    help_->ShowTopic(FromBytes(path), HelpWindow::kContentsContext);
}

}  // namespace skerry::ui
