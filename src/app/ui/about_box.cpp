#include "app/ui/about_box.hpp"

#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "app/ui/artwork.hpp"

namespace skerry::ui {

namespace {

constexpr int kWidth = 367;
constexpr int kHeight = 198;
constexpr int kPictureWidth = 163;
constexpr int kPictureHeight = 123;

QFont ProductFont() {
    // Serpentine where installed; otherwise the nearest heavy face we can count on.
    const QString family = QFontDatabase::families().contains(QStringLiteral("Serpentine"))
                               ? QStringLiteral("Serpentine")
                               : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPixelSize(29);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QLabel* TextLine(QWidget* parent, const char* name, const QString& text, const QRect& where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(where);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TAboutBox::TAboutBox() {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kWidth, kHeight);
    setStyleSheet(
        QStringLiteral("QDialog { background-color: black; } QLabel { color: #00ffff; }"));

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, kPictureWidth, kPictureHeight);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(SkerryPicture(kPictureWidth, kPictureHeight));

    ProductName = TextLine(this, "ProductName", QStringLiteral("Skerry"), {176, 8, 183, 40});
    ProductName->setAlignment(Qt::AlignCenter);
    ProductName->setFont(ProductFont());
    Version = TextLine(this, "Version", QStringLiteral("Version"), {176, 54, 183, 18});
    Version->setAlignment(Qt::AlignCenter);
    Copyright = TextLine(this, "Copyright", QStringLiteral("Templates for Jedi Knight"),
                         {176, 78, 183, 18});
    Copyright->setAlignment(Qt::AlignCenter);
    Comments =
        TextLine(this, "Comments", QStringLiteral("and Mysteries of the Sith"), {176, 98, 183, 18});
    Comments->setAlignment(Qt::AlignCenter);
    Purpose = TextLine(this, "Purpose",
                       QStringLiteral("Build object templates, then save them to New.tpl."),
                       {8, 136, 351, 18});
    Purpose->setAlignment(Qt::AlignCenter);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry((kWidth - 75) / 2, 162, 75, 26);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

int TAboutBox::ShowModal(const QString& workFolder) {
    SetWorkFolder(workFolder);
    return exec();
}

void TAboutBox::SetWorkFolder(const QString& workFolder) {
    const QString text =
        QStringLiteral("Saves New.tpl in %1").arg(QDir::toNativeSeparators(workFolder));
    // The folder may be long; the middle goes, the whole stays in the hint.
    Purpose->setText(Purpose->fontMetrics().elidedText(text, Qt::ElideMiddle, Purpose->width()));
    Purpose->setToolTip(QDir::toNativeSeparators(workFolder));
}

void TAboutBox::FormCreate() {
    Version->setText(Version->text() + QStringLiteral(" 1.0c"));
}

}  // namespace skerry::ui
