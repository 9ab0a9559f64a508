#include "resources/ui/new_texture_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/look.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "resources/texture_writer.hpp"

namespace skerry::ui {

namespace {

constexpr int kPreviewSide = 256;

QScrollArea* PreviewArea(QLabel* image) {
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* area = new QScrollArea;
    area->setWidget(image);
    area->setWidgetResizable(true);
    area->setMinimumSize(kPreviewSide + 4, kPreviewSide + 4);
    area->setStyleSheet(QStringLiteral("QScrollArea, QLabel { background-color: black; }"));
    return area;
}

QLabel* Caption(const QString& text) {
    auto* label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("font-weight: bold;"));
    return label;
}

}  // namespace

std::optional<QString> NewTextureDialog::Make(QWidget* parent, const NewTextureRequest& request) {
    NewTextureDialog dialog(request, parent);
    dialog.exec();
    return dialog.Saved();
}

NewTextureDialog::NewTextureDialog(const NewTextureRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName(QStringLiteral("NewTextureDialog"));
    setWindowTitle(QStringLiteral("New texture from picture"));
    BuildLayout();
    Remake();
}

void NewTextureDialog::BuildLayout() {
    Pictures = new QListWidget;
    Pictures->setObjectName(QStringLiteral("Pictures"));
    Pictures->setToolTip(QStringLiteral("The pictures, one a cel, in cel order"));
    Pictures->setMaximumHeight(90);
    AddPictureButton = new QPushButton(QStringLiteral("Add picture..."));
    AddPictureButton->setObjectName(QStringLiteral("AddPicture"));
    AddPictureButton->setToolTip(QStringLiteral("A PNG, BMP, TGA or JPEG picture as the next cel"));
    RemovePictureButton = new QPushButton(QStringLiteral("Remove"));
    RemovePictureButton->setObjectName(QStringLiteral("RemovePicture"));
    auto* pictureButtons = new QVBoxLayout;
    pictureButtons->addWidget(AddPictureButton);
    pictureButtons->addWidget(RemovePictureButton);
    pictureButtons->addStretch(1);

    Colormap = new QComboBox;
    Colormap->setObjectName(QStringLiteral("Colormap"));
    for (const std::string& name : request_.colormapNames) {
        Colormap->addItem(FromBytes(name));
    }
    Colormap->setCurrentIndex(static_cast<int>(
        std::min(request_.colormap, std::max<std::size_t>(request_.colormapNames.size(), 1) - 1)));
    Colormap->setToolTip(QStringLiteral("The palette an 8-bit texture's indexes stand for"));
    EightBit = new QRadioButton(QStringLiteral("8-bit"));
    EightBit->setObjectName(QStringLiteral("EightBit"));
    EightBit->setChecked(true);
    SixteenBit = new QRadioButton(QStringLiteral("16-bit"));
    SixteenBit->setObjectName(QStringLiteral("SixteenBit"));
    SixteenBit->setToolTip(QStringLiteral("Its own colours: 5-6-5, or 1-5-5-5 when transparent"));
    Transparent = new QCheckBox(QStringLiteral("Transparent"));
    Transparent->setObjectName(QStringLiteral("Transparent"));
    Transparent->setToolTip(
        QStringLiteral("Pixels of alpha below 128 are see-through (index 0 in 8 bits)"));
    Dither = new QCheckBox(QStringLiteral("Dither"));
    Dither->setObjectName(QStringLiteral("Dither"));
    Dither->setToolTip(QStringLiteral("Spreads each pixel's colour error to its neighbours"));
    Fit = new QCheckBox(QStringLiteral("Scale to power-of-two sides"));
    Fit->setObjectName(QStringLiteral("Fit"));
    MipMaps = new QSpinBox;
    MipMaps->setObjectName(QStringLiteral("MipMaps"));
    MipMaps->setRange(1, 4);
    MipMaps->setValue(4);
    MipMaps->setSuffix(QStringLiteral(" levels"));
    MipMaps->setToolTip(
        QStringLiteral("Mip-map levels: the picture, then each half of the one "
                       "before"));
    auto* options = new QGridLayout;
    options->addWidget(new QLabel(QStringLiteral("Colormap")), 0, 0);
    options->addWidget(Colormap, 0, 1);
    options->addWidget(EightBit, 0, 2);
    options->addWidget(SixteenBit, 0, 3);
    options->addWidget(new QLabel(QStringLiteral("Mip-maps")), 1, 0);
    options->addWidget(MipMaps, 1, 1);
    options->addWidget(Transparent, 1, 2);
    options->addWidget(Dither, 1, 3);
    options->addWidget(Fit, 2, 2, 1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(Pictures, 1);
    top->addLayout(pictureButtons);
    top->addLayout(options);

    PictureImage = new QLabel;
    PictureImage->setObjectName(QStringLiteral("PictureImage"));
    TextureImage = new QLabel;
    TextureImage->setObjectName(QStringLiteral("TextureImage"));
    Cel = new QSpinBox;
    Cel->setObjectName(QStringLiteral("Cel"));
    Cel->setPrefix(QStringLiteral("Cel "));
    Cel->hide();
    auto* previews = new QGridLayout;
    previews->addWidget(Caption(QStringLiteral("Picture")), 0, 0);
    auto* textureCaption = new QHBoxLayout;
    textureCaption->addWidget(Caption(QStringLiteral("Texture")));
    textureCaption->addWidget(Cel);
    textureCaption->addStretch(1);
    previews->addLayout(textureCaption, 0, 1);
    previews->addWidget(PreviewArea(PictureImage), 1, 0);
    previews->addWidget(PreviewArea(TextureImage), 1, 1);
    previews->setRowStretch(1, 1);

    Status = new QLabel;
    Status->setObjectName(QStringLiteral("Status"));
    Status->setWordWrap(true);
    Status->setFrameShape(QFrame::StyledPanel);
    FileName = new QLineEdit;
    FileName->setObjectName(QStringLiteral("FileName"));
    FileName->setPlaceholderText(QStringLiteral("name.mat"));
    Save = new QPushButton(QStringLiteral("Save..."));
    Save->setObjectName(QStringLiteral("Save"));
    Save->setToolTip(QStringLiteral("Writes the MAT into a folder of your choosing"));
    Close = new QPushButton(QStringLiteral("Close"));
    Close->setObjectName(QStringLiteral("Close"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("File name")));
    bottom->addWidget(FileName, 1);
    bottom->addWidget(Save);
    bottom->addWidget(Close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(previews, 1);
    layout->addWidget(Status);
    layout->addLayout(bottom);
    resize(2 * kPreviewSide + 260, 2 * kPreviewSide + 120);

    connect(AddPictureButton, &QPushButton::clicked, this, &NewTextureDialog::AddPictureClick);
    connect(RemovePictureButton, &QPushButton::clicked, this,
            &NewTextureDialog::RemovePictureClick);
    for (QCheckBox* box : {Transparent, Dither, Fit}) {
        connect(box, &QCheckBox::toggled, this, &NewTextureDialog::Remake);
    }
    connect(SixteenBit, &QRadioButton::toggled, this, &NewTextureDialog::Remake);
    connect(Colormap, &QComboBox::currentIndexChanged, this, &NewTextureDialog::Remake);
    connect(MipMaps, &QSpinBox::valueChanged, this, &NewTextureDialog::Remake);
    connect(Cel, &QSpinBox::valueChanged, this, &NewTextureDialog::ShowCel);
    connect(Save, &QPushButton::clicked, this, &NewTextureDialog::SaveClick);
    connect(Close, &QPushButton::clicked, this, &QDialog::reject);
}

bool NewTextureDialog::AddPicture(const QString& path) {
    try {
        pictures_.push_back(ReadPictureFile(PathFromUtf8(PathToBytes(path))));
    } catch (const PictureError& error) {
        ShowMessage(this, PathFromBytes(error.what()));
        return false;
    }
    Pictures->addItem(QFileInfo(path).fileName());
    Pictures->setCurrentRow(Pictures->count() - 1);
    if (FileName->text().isEmpty()) {
        FileName->setText(QFileInfo(path).completeBaseName() + QStringLiteral(".mat"));
    }
    Remake();
    Cel->setValue(Pictures->count() - 1);
    return true;
}

void NewTextureDialog::AddPictureClick() {
    const std::optional<QString> path =
        AskOpenFile(this, {QStringLiteral("Add picture"),
                           {QStringLiteral("Pictures (*.png *.bmp *.tga *.jpg *.jpeg)"),
                            QStringLiteral("All files (*)")},
                           0,
                           QString(),
                           request_.pictureFolder,
                           false});
    if (path) {
        request_.pictureFolder = QFileInfo(*path).absolutePath();
        AddPicture(*path);
    }
}

void NewTextureDialog::RemovePictureClick() {
    const int row = Pictures->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= pictures_.size()) {
        return;
    }
    pictures_.erase(pictures_.begin() + row);
    delete Pictures->takeItem(row);
    Remake();
}

void NewTextureDialog::Remake() {
    Dither->setEnabled(EightBit->isChecked());
    Colormap->setEnabled(EightBit->isChecked());
    mat_.clear();
    cels_.clear();
    Save->setEnabled(false);
    TextureImage->clear();
    if (pictures_.empty()) {
        PictureImage->clear();
        Cel->hide();
        Status->setText(QStringLiteral("Add a picture (PNG, BMP, TGA or JPEG) for each cel"));
        return;
    }
    try {
        for (const Picture& picture : pictures_) {
            cels_.push_back(Fit->isChecked() ? FitToTextureSides(picture) : picture);
        }
    } catch (const PictureError& error) {
        cels_.clear();
        Status->setText(FromMessage(error.what()));
        return;
    }
    const Picture& first = cels_.front();
    {
        // The levels a picture allows change with its sides; the user's choice stays within.
        const QSignalBlocker quiet(MipMaps);
        MipMaps->setMaximum(std::max(1, MostMipMaps(first.width, first.height)));
    }
    TextureOptions options;
    options.sixteenBit = SixteenBit->isChecked();
    options.transparent = Transparent->isChecked();
    options.dither = Dither->isChecked() && !options.sixteenBit;
    options.mipMaps = MipMaps->value();
    const auto slot = static_cast<std::size_t>(std::max(Colormap->currentIndex(), 0));
    options.palette = request_.colormaps.Slot(std::min(slot, kColormapSlots - 1));
    try {
        mat_ = MakeMat(cels_, options);
    } catch (const TextureError& error) {
        Status->setText(FromMessage(error.what()) +
                        (Fit->isChecked() ? QString() : QStringLiteral(" (or scale it)")));
        ShowCel();
        return;
    }
    const double error = MeanColourError(cels_, mat_, options.palette);
    auto count = [](std::size_t n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    summary_ = QStringLiteral("%1x%2, %3, %4, %5, %6; mean colour error %7")
                   .arg(first.width)
                   .arg(first.height)
                   .arg(options.sixteenBit ? options.transparent ? QStringLiteral("16-bit 1-5-5-5")
                                                                 : QStringLiteral("16-bit 5-6-5")
                                           : QStringLiteral("8-bit"))
                   .arg(count(cels_.size(), "cel", "cels"))
                   .arg(count(static_cast<std::size_t>(options.mipMaps), "mip-map level",
                              "mip-map levels"))
                   .arg(count(mat_.size(), "byte", "bytes"))
                   .arg(error, 0, 'f', 2);
    Status->setText(summary_);
    Save->setEnabled(true);
    ShowCel();
}

void NewTextureDialog::ShowCel() {
    const int count = static_cast<int>(cels_.size());
    {
        const QSignalBlocker quiet(Cel);
        Cel->setRange(0, std::max(count - 1, 0));
        Cel->setSuffix(QStringLiteral(" of %1").arg(count));
    }
    Cel->setVisible(count > 1);
    if (cels_.empty()) {
        return;
    }
    const auto cel = static_cast<std::size_t>(Cel->value());
    const Picture& picture = cels_[std::min(cel, cels_.size() - 1)];
    const QImage image(picture.rgba.data(), picture.width, picture.height, picture.width * 4,
                       QImage::Format_RGBA8888);
    PictureImage->setPixmap(QPixmap::fromImage(image));
    if (mat_.empty()) {
        TextureImage->clear();
        return;
    }
    // As the picker shows any MAT: decoded by the reader into its BMP.
    const auto slot = static_cast<std::size_t>(std::max(Colormap->currentIndex(), 0));
    const DecodedTexture texture =
        DecodeMat(mat_, request_.colormaps.Slot(std::min(slot, kColormapSlots - 1)), '.',
                  static_cast<std::int32_t>(cel));
    QPixmap shown;
    shown.loadFromData(reinterpret_cast<const uchar*>(texture.bmp.data()),
                       static_cast<uint>(texture.bmp.size()), "BMP");
    TextureImage->setPixmap(shown);
}

void NewTextureDialog::SaveClick() {
    if (mat_.empty()) {
        return;
    }
    QString name = FileName->text().trimmed();
    if (name.isEmpty()) {
        name = QStringLiteral("texture.mat");
    }
    const std::optional<QString> target =
        AskSaveFile(this, {QStringLiteral("Save texture"),
                           {QStringLiteral("MAT texture (*.mat)")},
                           0,
                           name,
                           request_.textureFolder,
                           true});
    if (!target) {
        return;
    }
    request_.textureFolder = QFileInfo(*target).absolutePath();
    if (const std::optional<std::string> failure =
            WriteFileWhole(PathFromUtf8(PathToBytes(*target)), mat_)) {
        ShowMessage(this, PathFromBytes(*failure));
        return;
    }
    saved_ = *target;
    FileName->setText(QFileInfo(*target).fileName());
    Status->setText(summary_ + QStringLiteral("\nSaved ") + *target);
}

}  // namespace skerry::ui
