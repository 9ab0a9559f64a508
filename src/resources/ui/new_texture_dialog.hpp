#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "resources/mat_fileops.hpp"
#include "resources/picture_reader.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace skerry::ui {

// What the picker hands the dialog: its colormaps and the one on show, and where pictures and
// textures were last taken from and put.
struct NewTextureRequest {
    std::vector<std::string> colormapNames;  // in slot order
    ColormapTable colormaps;
    std::size_t colormap = 0;
    QString pictureFolder;
    QString textureFolder;
};

// New texture from picture: pictures become the cels of a MAT, 8-bit under a colormap or
// 16-bit, shown beside the picture as the picker shows a texture, and saved where the user
// chooses.
class NewTextureDialog : public QDialog {
    Q_OBJECT
  public:
    // Shows the dialog modal. The MAT file saved last, or nothing when none was.
    static std::optional<QString> Make(QWidget* parent, const NewTextureRequest& request);

    explicit NewTextureDialog(const NewTextureRequest& request, QWidget* parent = nullptr);

    // Adds a picture as the next cel; false, with the reason shown, when it cannot be read.
    bool AddPicture(const QString& path);
    void AddPictureClick();
    void RemovePictureClick();
    // Makes the MAT again from the pictures and options, and shows it.
    void Remake();
    void SaveClick();

    const std::string& Mat() const { return mat_; }
    const std::optional<QString>& Saved() const { return saved_; }

  private:
    void BuildLayout();
    void ShowCel();

    NewTextureRequest request_;
    std::vector<Picture> pictures_;  // as read
    std::vector<Picture> cels_;      // as made into the texture: scaled when asked
    std::string mat_;
    QString summary_;  // the made texture, as the status line tells it
    std::optional<QString> saved_;

    QListWidget* Pictures = nullptr;
    QPushButton* AddPictureButton = nullptr;
    QPushButton* RemovePictureButton = nullptr;
    QComboBox* Colormap = nullptr;
    QRadioButton* EightBit = nullptr;
    QRadioButton* SixteenBit = nullptr;
    QCheckBox* Transparent = nullptr;
    QCheckBox* Dither = nullptr;
    QCheckBox* Fit = nullptr;
    QSpinBox* MipMaps = nullptr;
    QSpinBox* Cel = nullptr;
    QLabel* PictureImage = nullptr;
    QLabel* TextureImage = nullptr;
    QLabel* Status = nullptr;
    QLineEdit* FileName = nullptr;
    QPushButton* Save = nullptr;
    QPushButton* Close = nullptr;
};

}  // namespace skerry::ui
