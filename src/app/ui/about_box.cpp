#include "app/ui/about_box.hpp"

#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

namespace skerry::ui {

namespace {

constexpr int kWidth = 367;
constexpr int kHeight = 198;
constexpr int kPictureWidth = 163;
constexpr int kPictureHeight = 123;

// A skerry: a low rock in a dark sea under a teal sky, drawn here so that the program
// carries no picture files.
QPixmap SkerryPicture() {
    QPixmap picture(kPictureWidth, kPictureHeight);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0, QColor(0, 40, 48));
    sky.setColorAt(1, QColor(0, 128, 128));
    p.fillRect(0, 0, kPictureWidth, 80, sky);
    p.fillRect(0, 80, kPictureWidth, kPictureHeight - 80, QColor(0, 24, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 200));
    p.drawEllipse(QPointF(124, 26), 11, 11);
    QPainterPath rock;
    rock.moveTo(22, 84);
    rock.cubicTo(40, 50, 62, 44, 80, 58);
    rock.cubicTo(94, 40, 118, 52, 140, 84);
    rock.closeSubpath();
    p.setBrush(QColor(40, 44, 48));
    p.drawPath(rock);
    p.setPen(QPen(QColor(0, 255, 255), 1.5));
    for (int y = 92; y < kPictureHeight; y += 9) {
        p.drawLine(10 + (y % 3) * 12, y, 60 + (y % 5) * 14, y);
        p.drawLine(90 - (y % 4) * 6, y + 3, 150, y + 3);
    }
    return picture;
}

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
    ProgramIcon->setPixmap(SkerryPicture());

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

void TAboutBox::FormCreate() {
    Version->setText(Version->text() + QStringLiteral(" 1.0c"));
}

}  // namespace skerry::ui
