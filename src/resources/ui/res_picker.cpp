#include "resources/ui/res_picker.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/file_path.hpp"
#include "common/names.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/look.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "common/ui/window_geometry.hpp"
#include "resources/model_preview.hpp"
#include "resources/picker_listing.hpp"
#include "resources/picker_order.hpp"
#include "resources/texture_png.hpp"
#include "resources/ui/container_menu.hpp"
#include "resources/ui/model_view.hpp"
#include "resources/ui/new_texture_dialog.hpp"

namespace skerry::ui {

namespace {

constexpr int kListWidth = 211;
constexpr int kImageWidth = 256;
constexpr int kMemoHeight = 139;
constexpr int kBoxWidth = 145;

QSplitter* Splitter(Qt::Orientation orientation, const char* name, const char* colour) {
    auto* splitter = new QSplitter(orientation);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setHandleWidth(4);
    splitter->setChildrenCollapsible(false);
    splitter->setStyleSheet(
        QStringLiteral("QSplitter::handle { background-color: %1; }").arg(QLatin1String(colour)));
    return splitter;
}

// The user's decimal separator, for the grid-size text.
char DecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode())
                                                         : '.';
}

}  // namespace

// The picker's list. Typing finds a name by its first letters, as in any list, and also by
// its file name: "hdb" finds mat\\hdback.mat as well as "mat\\hd" does.
class NameList : public QListWidget {
  public:
    using QListWidget::QListWidget;

    // A new list starts a new search.
    void ForgetTyping() { typed_.clear(); }

    void keyboardSearch(const QString& search) override {
        if (search.isEmpty()) {
            return;
        }
        if (!typing_.isValid() || typing_.elapsed() > QApplication::keyboardInputInterval()) {
            typed_.clear();
        }
        typing_.start();
        // The same letter again steps to the next name that starts with it.
        const bool again = typed_.size() == 1 && search == typed_;
        typed_ = again ? search : typed_ + search;
        const int rows = count();
        const int from = std::max(0, currentRow()) + (again ? 1 : 0);
        for (int step = 0; step < rows; ++step) {
            const int row = (from + step) % rows;
            const QString text = item(row)->text();
            const QString file =
                text.mid(std::max(text.lastIndexOf(QLatin1Char('\\')), text.lastIndexOf('/')) + 1);
            if (text.startsWith(typed_, Qt::CaseInsensitive) ||
                file.startsWith(typed_, Qt::CaseInsensitive)) {
                setCurrentRow(row);
                return;
            }
        }
    }

  private:
    QString typed_;
    QElapsedTimer typing_;
};

// Gives every row of a list one size, so that the view need not measure each row.
class UniformRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // An invalid size measures rows as usual.
    void SetSize(QSize size) { size_ = size; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return size_.isValid() ? size_ : QStyledItemDelegate::sizeHint(option, index);
    }

  private:
    QSize size_;
};

TRes::TRes(Settings& settings, ResourceState& resources)
    : settings_(settings), resources_(resources) {
    setObjectName(QStringLiteral("TRes"));
    setWindowTitle(QStringLiteral("Resource Picker"));
    BuildLayout();
}

void TRes::BuildLayout() {
    setStyleSheet(QStringLiteral("TRes { background-color: #c0c0c0; }"));

    Pnl2 = new QWidget;
    Pnl2->setObjectName(QStringLiteral("Pnl2"));
    Pnl2->setFixedHeight(30);
    auto* top = new QHBoxLayout(Pnl2);
    top->setContentsMargins(2, 2, 2, 2);
    Cb1 = new QComboBox;
    Cb1->setObjectName(QStringLiteral("Cb1"));
    Cb1->setEditable(true);
    Cb1->setInsertPolicy(QComboBox::NoInsert);
    Cb1->setFixedWidth(kBoxWidth);
    Cb1->setToolTip(QStringLiteral("The container to list"));
    AddContainerMenu(
        Cb1, [this] { return resources_.CurrentPath(); }, settings_);
    PalBox = new QComboBox;
    PalBox->setObjectName(QStringLiteral("PalBox"));
    PalBox->setEditable(true);
    PalBox->setInsertPolicy(QComboBox::NoInsert);
    PalBox->setFixedWidth(kBoxWidth);
    PalBox->setEditText(QStringLiteral("Default ColorMap"));
    colormapHint_ = QStringLiteral("The colormap textures are shown with");
    PalBox->setToolTip(colormapHint_);
    CelBox = new QSpinBox;
    CelBox->setObjectName(QStringLiteral("CelBox"));
    CelBox->setPrefix(QStringLiteral("Cel "));
    CelBox->setKeyboardTracking(false);
    CelBox->setToolTip(
        QStringLiteral("The cel on show, counted from 0 as cogs count them; the arrow keys step "
                       "through them"));
    CelBox->hide();
    Bmpsave = new QToolButton;
    Bmpsave->setObjectName(QStringLiteral("Bmpsave"));
    Bmpsave->setText(QStringLiteral("Save Mat to Bmp"));
    Bmpsave->setToolTip(QStringLiteral("Saves the displayed mat to a Bmp file"));
    Bmpsave->setAutoRaise(true);
    Bmpsave->setEnabled(false);
    ResetView = new QToolButton;
    ResetView->setObjectName(QStringLiteral("ResetView"));
    ResetView->setText(QStringLiteral("Reset view"));
    ResetView->setToolTip(QStringLiteral("Shows the model from where it was first seen"));
    ResetView->setAutoRaise(true);
    ResetView->hide();
    LB2 = new QListWidget(Pnl2);
    LB2->setObjectName(QStringLiteral("LB2"));
    LB2->hide();
    FLB1 = new QListWidget(Pnl2);
    FLB1->setObjectName(QStringLiteral("FLB1"));
    FLB1->hide();
    top->addWidget(Cb1);
    top->addWidget(PalBox);
    top->addWidget(CelBox);
    top->addWidget(Bmpsave);
    top->addWidget(ResetView);
    top->addStretch(1);

    LB1 = new NameList;
    LB1->setObjectName(QStringLiteral("LB1"));
    LB1->setStyleSheet(NameListLook());
    LB1->setMinimumWidth(80);
    // Measuring each of thousands of names takes longer than a frame; all rows are one size.
    rowSize_ = new UniformRowDelegate(LB1);
    LB1->setItemDelegate(rowSize_);
    LB1->setUniformItemSizes(true);
    // Textures made from pictures, under the colormaps the picker has, in a dialog of its own.
    auto* newTexture = new QAction(QStringLiteral("New texture from picture..."), LB1);
    newTexture->setObjectName(QStringLiteral("NewTexture"));
    LB1->addAction(newTexture);
    LB1->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(newTexture, &QAction::triggered, this, [this] {
        NewTextureRequest request{{},
                                  resources_.Colormaps(),
                                  selectedColormap_,
                                  PathFromBytes(settings_.workDir),
                                  PathFromBytes(settings_.workDir)};
        for (int i = 0; i < PalBox->count(); ++i) {
            request.colormapNames.push_back(ToBytes(PalBox->itemText(i)));
        }
        NewTextureDialog::Make(this, request);
    });

    Image = new QLabel;
    Image->setObjectName(QStringLiteral("Image"));
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SavePictureAs = new QAction(QStringLiteral("Save picture as..."), Image);
    SavePictureAs->setObjectName(QStringLiteral("SavePictureAs"));
    SavePictureAs->setEnabled(false);
    Image->addAction(SavePictureAs);
    Image->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* imageArea = new QScrollArea;
    imageArea->setObjectName(QStringLiteral("ImageArea"));
    imageArea->setWidget(Image);
    imageArea->setWidgetResizable(true);
    imageArea->setStyleSheet(
        QStringLiteral("QScrollArea, QLabel#Image { background-color: black; }"));
    ImageArea = imageArea;
    Model = new ModelView;
    Picture = new QStackedWidget;
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->addWidget(ImageArea);
    Picture->addWidget(Model);

    Panel3 = new QWidget;
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAttribute(Qt::WA_StyledBackground);
    Panel3->setStyleSheet(TextOnBlack("QWidget#Panel3") + TextOnBlack("QLabel"));
    auto* sizes = new QVBoxLayout(Panel3);
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel;
    Label2->setObjectName(QStringLiteral("Label2"));
    sizes->addWidget(Label1);
    sizes->addWidget(Label2);
    sizes->addStretch(1);

    Memo = TextView("Memo", true);
    Memo->setStyleSheet(TextOnBlack("QPlainTextEdit"));

    QSplitter* listImage = Splitter(Qt::Horizontal, "ListSplitter", kTeal);
    listImage->addWidget(LB1);
    QSplitter* imageSizes = Splitter(Qt::Horizontal, "ImageSplitter", kTeal);
    imageSizes->addWidget(Picture);
    imageSizes->addWidget(Panel3);
    imageSizes->setStretchFactor(1, 1);
    imageSizes->setSizes({kImageWidth, 400});
    listImage->addWidget(imageSizes);
    listImage->setStretchFactor(1, 1);
    listImage->setSizes({kListWidth, 700});
    QSplitter* upperMemo = Splitter(Qt::Vertical, "MemoSplitter", "#808080");
    upperMemo->addWidget(listImage);
    upperMemo->addWidget(Memo);
    upperMemo->setStretchFactor(0, 1);
    upperMemo->setSizes({400, kMemoHeight});
    splitters_ = {listImage, imageSizes, upperMemo};

    ED = new QLineEdit;
    ED->setObjectName(QStringLiteral("ED"));
    ED->setReadOnly(true);
    ED->setFixedWidth(kListWidth);
    BBok = new QPushButton(QStringLiteral("OK"));
    BBok->setObjectName(QStringLiteral("BBok"));
    BBok->setDefault(true);
    BBClose = new QPushButton(QStringLiteral("Cancel"));
    BBClose->setObjectName(QStringLiteral("BBClose"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ED);
    bottom->addWidget(BBok);
    bottom->addWidget(BBClose);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->addWidget(Pnl2);
    layout->addWidget(upperMemo, 1);
    layout->addLayout(bottom);
    resize(1000, 700);

    connect(LB1, &QListWidget::itemSelectionChanged, this, &TRes::LB1Click);
    connect(Cb1, &QComboBox::editTextChanged, this, [this](const QString& text) {
        Cb1Change(text);
        // A pick from the list changes the text and then reports the pick; the pick must not
        // load the same container a second time.
        cb1JustLoaded_ = text;
        QTimer::singleShot(0, this, [this] { cb1JustLoaded_.reset(); });
    });
    connect(Cb1, &QComboBox::textActivated, this, &TRes::Cb1Activated);
    connect(PalBox, &QComboBox::editTextChanged, this, &TRes::PalBoxChange);
    connect(ED, &QLineEdit::textChanged, this, &TRes::EDChange);
    connect(Bmpsave, &QToolButton::clicked, this, &TRes::BmpsaveClick);
    connect(CelBox, &QSpinBox::valueChanged, this, &TRes::CelBoxChange);
    connect(SavePictureAs, &QAction::triggered, this, &TRes::SavePictureAsClick);
    connect(ResetView, &QToolButton::clicked, Model, &ModelView::ResetView);
    connect(BBok, &QPushButton::clicked, this, &TRes::BBokClick);
    connect(BBClose, &QPushButton::clicked, this, &TRes::BBCloseClick);
}

bool TRes::FormCreate() {
    colormapsLoaded_ = false;
    const std::optional<std::filesystem::path> res2 =
        FindFileIgnoringCase(PathFromUtf8(settings_.jkDir), "res2.gob");
    if (!res2) {
        ShowMessage(this, QStringLiteral(" JK Directory Invalid  Reset in Options"));
        return false;
    }
    GetGobs(res2->string());
    return true;
}

void TRes::ListDialectContainers() {
    if (settings_.jkDialect) {
        ListContainers(settings_.jkDir);
        const QSignalBlocker quiet(Cb1);
        Cb1->setEditText(QStringLiteral("res2.gob"));
    }
    if (settings_.motsDialect) {
        const std::optional<std::filesystem::path> jkmres =
            FindFileIgnoringCase(PathFromUtf8(settings_.motsDir), "jkmres.goo");
        if (!jkmres) {
            ShowMessage(this, QStringLiteral(" Mots Directory Invalid ,Reset in Options"));
            return;
        }
        ListContainers(settings_.motsDir);
        {
            const QSignalBlocker quiet(Cb1);
            Cb1->setEditText(QStringLiteral("jkmres.goo"));
        }
        // A Mots run looks its files up in the Mots container, and colours its textures with
        // the Mots colormaps.
        colormapsLoaded_ = false;
        GetGobs(jkmres->string());
    }
}

void TRes::SaveLayout(SettingsStore& store) const {
    // A picker not shown in this run keeps the place it had.
    if (shown_) {
        store.Write(kPickerGeometryValue, ToBytes(SaveWindowGeometry(*this)));
        store.Write(kPickerSplittersValue, ToBytes(SaveSplitters(splitters_)));
    }
    if (!resources_.CurrentPath().empty()) {
        store.Write(kPickerContainerValue, OpenContainerName());
    }
    if (!chosenColormap_.isEmpty()) {
        store.Write(kPickerColormapValue, ToBytes(chosenColormap_));
    }
}

void TRes::RestoreLayout(SettingsStore& store) {
    placed_ =
        RestoreWindowGeometry(*this, FromBytes(store.Read(kPickerGeometryValue).value_or("")));
    RestoreSplitters(splitters_, FromBytes(store.Read(kPickerSplittersValue).value_or("")));
    chosenColormap_ = FromBytes(store.Read(kPickerColormapValue).value_or(""));
    const QString container = FromBytes(store.Read(kPickerContainerValue).value_or(""));
    const int listed = Cb1->findText(container, Qt::MatchFixedString);
    if (!container.isEmpty() && listed >= 0 &&
        !EqualsIgnoringCase(ToBytes(container), OpenContainerName())) {
        const QString name = Cb1->itemText(listed);
        {
            const QSignalBlocker quiet(Cb1);
            Cb1->setEditText(name);
        }
        Cb1Change(name);
    }
}

std::string TRes::OpenContainerName() const {
    return Utf8Of(PathFromUtf8(resources_.CurrentPath()).filename());
}

void TRes::ListContainers(const std::string& dir) {
    FLB1->clear();
    for (const std::string& name : ListContainerFiles(PathFromUtf8(dir))) {
        FLB1->addItem(PathFromBytes(name));
    }
    const QSignalBlocker quiet(Cb1);
    for (int i = 0; i < FLB1->count(); ++i) {
        Cb1->addItem(FLB1->item(i)->text());
    }
}

void TRes::GetGobs(const std::string& path) {
    if (const std::optional<std::string> failure = resources_.Load(path)) {
        ShowMessage(this, PathFromBytes(*failure));
        return;
    }
    if (const std::optional<std::string> shortfall = resources_.Shortfall()) {
        ShowMessage(this, PathFromBytes(*shortfall));
    }
    QStringList names;
    names.reserve(static_cast<qsizetype>(resources_.Names().size()));
    for (const std::string& name : resources_.Names()) {
        names.append(FromBytes(name));
    }
    LB2->clear();
    LB2->addItems(names);
    // A name of the new container is another entry: its cel and view start afresh.
    shownItem_.clear();
    CelBox->hide();
    if (!colormapsLoaded_) {
        GetCmps();
    }
    colormapsLoaded_ = true;
    if (ResourceMode()) {
        ListRequest();
    }
}

void TRes::GetCmps() {
    const QSignalBlocker quiet(PalBox);
    PalBox->clear();
    PalBox->setEditText(QString());
    colormapEntries_.clear();
    for (const ResourceState::ColormapEntry& colormap : resources_.FindColormaps()) {
        PalBox->addItem(FromBytes(colormap.fileName));
        colormapEntries_.push_back(colormap.index);
    }
    if (PalBox->count() > 0) {
        StoreCmps();
    } else {
        PalBoxChange();
    }
}

void TRes::StoreCmps() {
    std::vector<ResourceState::ColormapEntry> colormaps;
    for (std::size_t k = 0; k < colormapEntries_.size(); ++k) {
        colormaps.push_back({ToBytes(PalBox->itemText(static_cast<int>(k))), colormapEntries_[k]});
    }
    resources_.StoreColormaps(colormaps);
    PalBoxChange();
}

void TRes::PalBoxChange() {
    if (PalBox->count() == 0) {
        const QSignalBlocker quiet(PalBox);
        PalBox->setEditText(QString());
        selectedColormap_ = 0;
    } else {
        const QString text = PalBox->currentText();
        for (int i = 0; i < PalBox->count(); ++i) {
            if (PalBox->itemText(i) == text) {
                selectedColormap_ = static_cast<std::size_t>(i);
            }
        }
    }
    LB1Click();
}

void TRes::Prepare(const PickerRequest& request) {
    request_ = request;
    ClearPicture();
    ListRequest();
    {
        const QSignalBlocker quiet(LB1);
        LB1->clearSelection();
        LB1->setCurrentRow(-1);
    }
    ED->setText(FromBytes(request_.current));
    if (request_.current.empty()) {
        return;
    }
    // The value in use is chosen already, and on show, when the list has it.
    const bool resources = ResourceMode();
    for (std::size_t row = 0; row < listed_.size(); ++row) {
        const std::string& name = listed_[row];
        if (resources ? EqualsIgnoringCase(FileNamePart(name), request_.current)
                      : name == request_.current) {
            LB1->setCurrentRow(static_cast<int>(row));
            return;
        }
    }
}

void TRes::ListRequest() {
    listed_.clear();
    // Textures are made where textures are listed.
    if (auto* newTexture = LB1->findChild<QAction*>(QStringLiteral("NewTexture"))) {
        const std::vector<std::string>& kinds = request_.extensions;
        newTexture->setVisible(ResourceMode() &&
                               std::find(kinds.begin(), kinds.end(), ".mat") != kinds.end());
    }
    if (ResourceMode()) {
        for (const std::string& extension : request_.extensions) {
            AddInPickerOrder(listed_, ListEntries(resources_.Names(), extension));
        }
    } else {
        std::vector<std::string> names;
        names.reserve(request_.templates.size());
        for (const TemplateChoice& choice : request_.templates) {
            names.push_back(choice.name);
        }
        AddInPickerOrder(listed_, names);
    }
    QStringList items;
    items.reserve(static_cast<qsizetype>(listed_.size()));
    for (const std::string& name : listed_) {
        items.append(FromBytes(name));
    }
    const QSignalBlocker quiet(LB1);
    LB1->clear();
    LB1->ForgetTyping();
    LB1->addItems(items);
    if (LB1->count() > 0) {
        // Every row gets the first one's height; the widest name sets how far the list
        // scrolls sideways.
        rowSize_->SetSize({});
        const QSize natural = LB1->sizeHintForIndex(LB1->model()->index(0, 0));
        const int padding = natural.width() - NameWidth(listed_.front());
        int widest = 0;
        for (const std::string& name : listed_) {
            widest = std::max(widest, NameWidth(name));
        }
        rowSize_->SetSize(QSize(std::max(natural.width(), widest + padding), natural.height()));
    }
}

void TRes::ClearPicture() {
    Image->clear();
    Label1->clear();
    Label2->clear();
    Memo->clear();
    shownBmp_.clear();
    shownBmpName_.clear();
    shownItem_.clear();
    SavePictureAs->setEnabled(false);
    CelBox->hide();
    ShowPicture(ImageArea);
}

std::optional<std::string> TRes::Choose(const PickerRequest& request) {
    Prepare(request);
    // Maximised the first time, unless the user left it at a size of their own last run;
    // after that, as the user left it.
    if (!placed_ && !shown_) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    shown_ = true;
    if (exec() != QDialog::Accepted || ED->text().isEmpty()) {
        return std::nullopt;
    }
    return ToBytes(ED->text());
}

void TRes::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring the window from the task bar is no new showing: the colormap chosen stays.
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TRes::FormShow() {
    // The colormap the user left the picker with, else the game's default one.
    const bool keep = !chosenColormap_.isEmpty() && PalBox->findText(chosenColormap_) >= 0;
    PalBox->setEditText(keep ? chosenColormap_ : QStringLiteral("dflt.cmp"));
    PalBoxChange();
    // The list is what the picker is for: typing a name's first letters finds it there,
    // where in the container box it would ask for a container of that name.
    LB1->setFocus();
}

void TRes::hideEvent(QHideEvent* event) {
    FormHide();
    QDialog::hideEvent(event);
}

void TRes::FormHide() {
    if (PalBox->findText(PalBox->currentText()) >= 0) {
        chosenColormap_ = PalBox->currentText();
    }
    Memo->clear();
}

int TRes::NameWidth(std::string_view name) {
    if (!charWidths_) {
        // Names are single-byte text, so the widths of the 256 characters, measured once,
        // add up to any name's width without laying out each name.
        charWidths_.emplace();
        const QFontMetrics metrics(LB1->font());
        for (std::size_t c = 0; c < charWidths_->size(); ++c) {
            (*charWidths_)[c] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)));
        }
    }
    int width = 0;
    for (const char c : name) {
        width += (*charWidths_)[static_cast<unsigned char>(c)];
    }
    return width;
}

void TRes::LB1Click() {
    Memo->clear();
    const int row = LB1->currentRow();
    if (row < 0 || LB1->selectedItems().isEmpty() ||
        static_cast<std::size_t>(row) >= listed_.size()) {
        return;
    }
    const std::string item = listed_[static_cast<std::size_t>(row)];
    ED->setText(FromBytes(item));
    if (FileExtension(item) == ".mat") {
        if (const std::optional<std::size_t> index = FindName(resources_.Names(), item)) {
            // The same texture again (a colormap change) keeps its cel; another starts at 0.
            const std::int32_t cel = item == shownItem_ ? CelBox->value() : 0;
            if (!ShowTexture(*index, item, cel)) {
                return;  // the picture on show stays, and the name field keeps the whole item
            }
        }
    } else if (ResourceMode() && FileExtension(item) == ".3do") {
        if (!ShowModel(item)) {
            return;
        }
    } else if (ResourceMode()) {
        const std::string entry = std::string(FolderPrefix(FileExtension(item))) + item;
        if (const std::optional<std::size_t> index = FindName(resources_.Names(), entry)) {
            Memo->setPlainText(EntryText(*index));
        }
    } else {
        for (const TemplateChoice& choice : request_.templates) {
            if (choice.name == item) {
                Memo->appendPlainText(FromBytes(choice.line));
                break;
            }
        }
    }
    ED->setText(FromBytes(FileNamePart(item)));
}

QString TRes::EntryText(std::size_t index) const {
    const std::string bytes = resources_.ReadEntry(index).value_or(std::string());
    return FromBytes(std::string_view(bytes).substr(0, bytes.find('\0')));
}

bool TRes::ShowTexture(std::size_t index, const std::string& item, std::int32_t cel) {
    DecodedTexture texture;
    try {
        texture = resources_.DecodeTexture(index, selectedColormap_, DecimalSeparator(), cel);
    } catch (const MatError& error) {
        ShowMessage(this, QString::fromLatin1(error.what()));
        return false;
    }
    QPixmap picture;
    picture.loadFromData(reinterpret_cast<const uchar*>(texture.bmp.data()),
                         static_cast<uint>(texture.bmp.size()), "BMP");
    Image->setPixmap(picture);
    Label1->setText(FromBytes(texture.gridSizeText));
    Label2->setText(FromBytes(texture.pixelSizeText));
    shownBmp_ = std::move(texture.bmp);
    shownBmpName_ = item;
    shownItem_ = item;
    ShowPicture(ImageArea);
    {
        const QSignalBlocker quiet(CelBox);
        CelBox->setRange(0, texture.celCount - 1);
        CelBox->setValue(texture.cel);
        CelBox->setSuffix(QStringLiteral(" (%1 cels)").arg(texture.celCount));
    }
    CelBox->setVisible(texture.celCount > 1);
    PalBox->setToolTip(texture.sixteenBit ? FromBytes(kOwnColoursNote) : colormapHint_);
    SavePictureAs->setEnabled(true);
    // Every texture shown is also written beside the program.
    Export(item);
    return true;
}

bool TRes::ShowModel(const std::string& item) {
    ListedModel listed = ReadListedModel(resources_, item);
    if (listed.status == ModelStatus::NotListed || listed.status == ModelStatus::NoName) {
        return true;  // as for any name the container lacks: nothing to show
    }
    if (!listed.model) {
        ShowMessage(this, FromMessage(listed.message));
        return false;
    }
    const Model3do& model = *listed.model;
    // The colours are worked out once a click; the reader looks into the container as it
    // is now, so it is not kept.
    const MaterialColours colours = ColourMaterials(model.materials, ContainerMaterials(resources_),
                                                    resources_.Colormaps().Slot(selectedColormap_));
    Label1->setText(FromBytes(ModelSizeText(ModelBox(model), DecimalSeparator())));
    Label2->setText(FromBytes(ModelRadiusText(model.radius, DecimalSeparator())));
    Memo->setPlainText(
        FromBytes(MaterialListText(model.materials, colours)) + QLatin1Char('\n') +
        FromBytes(std::string_view(listed.bytes).substr(0, listed.bytes.find('\0'))));
    // The same model again (a colormap change) keeps the side it is seen from.
    if (item != shownItem_) {
        Model->ResetView();
    }
    Model->ShowModel(std::move(*listed.model), colours.colour);
    shownItem_ = item;
    ShowPicture(Model);
    return true;
}

void TRes::ShowPicture(QWidget* shown) {
    Picture->setCurrentWidget(shown);
    const bool model = shown == Model;
    ResetView->setVisible(model);
    if (model) {
        CelBox->hide();
        PalBox->setToolTip(colormapHint_);
    }
}

void TRes::CelBoxChange(int cel) {
    if (FileExtension(shownItem_) != ".mat") {
        return;
    }
    if (const std::optional<std::size_t> index = FindName(resources_.Names(), shownItem_)) {
        ShowTexture(*index, shownItem_, cel);
    }
}

void TRes::SavePictureAsClick() {
    if (shownBmp_.empty()) {
        return;
    }
    const QString folder =
        !pictureFolder_.isEmpty() ? pictureFolder_ : PathFromBytes(settings_.workDir);
    const std::optional<QString> target = AskSaveFile(
        this, {QStringLiteral("Save picture as"),
               {QStringLiteral("PNG picture (*.png)"), QStringLiteral("BMP picture (*.bmp)")},
               0,
               PathFromBytes(ExportFileName(shownBmpName_, PictureFormat::Png)),
               folder,
               true});
    if (!target) {
        return;
    }
    pictureFolder_ = QFileInfo(*target).absolutePath();
    const std::filesystem::path path = PathFromUtf8(PathToBytes(*target));
    if (const std::optional<std::string> failure =
            SavePicture(path, shownBmp_, PictureFormatOf(path))) {
        ShowMessage(this, PathFromBytes(*failure));
    }
}

void TRes::Export(const std::string& name) {
    if (shownBmp_.empty()) {
        return;
    }
    const std::string path = settings_.workDir + ExportFileName(name);
    if (const std::optional<std::string> failure = ExportBmp(PathFromUtf8(path), shownBmp_)) {
        ShowMessage(this, PathFromBytes(ExplainWorkDirFailure(settings_, *failure)));
    }
}

void TRes::Cb1Change(const QString& text) {
    if (text == QStringLiteral("Project dir")) {
        ShowMessage(this, QStringLiteral("not implemented yet"));
        return;
    }
    const std::string name = ToBytes(text);
    if (name.empty()) {
        return;
    }
    for (const std::string* dir : {&settings_.jkDir, &settings_.motsDir}) {
        if (const auto path = FindFileIgnoringCase(PathFromUtf8(*dir), name)) {
            GetGobs(path->string());
        }
    }
}

void TRes::Cb1Activated(const QString& text) {
    const bool justLoaded = cb1JustLoaded_ == text;
    cb1JustLoaded_.reset();
    if (!justLoaded) {
        Cb1Change(text);
    }
}

void TRes::BBokClick() {
    done(QDialog::Accepted);
}

void TRes::BBCloseClick() {
    ED->clear();
    done(QDialog::Rejected);
}

void TRes::EDChange(const QString& text) {
    Bmpsave->setEnabled(FileExtension(ToBytes(text)) == ".mat");
}

void TRes::BmpsaveClick() {
    Export(ToBytes(ED->text()));
}

}  // namespace skerry::ui
