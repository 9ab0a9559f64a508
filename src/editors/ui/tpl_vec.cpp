#include "editors/ui/tpl_vec.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/ui/qt_text.hpp"

namespace skerry::ui {

namespace {

QLineEdit* Edit(const char* objectName) {
    auto* edit = new QLineEdit(FromBytes(VectorFields::kEmptyComponent));
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

}  // namespace

TVector::TVector() {
    setObjectName(QStringLiteral("TVector"));
    setWindowTitle(QStringLiteral("Vector/Frame"));
    setWindowFlag(Qt::Tool);

    GB1 = new QGroupBox(QStringLiteral("vector/frame"));
    GB1->setObjectName(QStringLiteral("GB1"));
    EX = Edit("EX");
    EY = Edit("EY");
    EZ = Edit("EZ");
    EP = Edit("EP");
    EYw = Edit("EYw");
    ER = Edit("ER");
    static constexpr const char* kCaptions[] = {"X", "Y", "Z", "Pitch", "Yaw", "Roll"};
    // Position on the left, orientation on the right, each component beside its label.
    auto* fields = new QGridLayout(GB1);
    const auto edits = Edits();
    for (std::size_t i = 0; i < edits.size(); ++i) {
        Labels[i] = new QLabel(QString::fromLatin1(kCaptions[i]));
        Labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        Labels[i]->setBuddy(edits[i]);
        const int row = static_cast<int>(i % 3);
        const int column = i < 3 ? 0 : 2;
        fields->addWidget(Labels[i], row, column);
        fields->addWidget(edits[i], row, column + 1);
    }

    Label7 = new QLabel(QStringLiteral("Vector"));
    Label7->setObjectName(QStringLiteral("Label7"));
    ETot = new QLineEdit;
    ETot->setObjectName(QStringLiteral("ETot"));
    ETot->setReadOnly(true);
    Label7->setBuddy(ETot);
    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GB1);
    layout->addWidget(Label7);
    layout->addWidget(ETot);
    layout->addStretch(1);
    layout->addWidget(BBOK, 0, Qt::AlignRight);

    connect(EX, &QLineEdit::textChanged, this, &TVector::EXChange);
    connect(EY, &QLineEdit::textChanged, this, &TVector::EYChange);
    connect(EZ, &QLineEdit::textChanged, this, &TVector::EZChange);
    connect(EP, &QLineEdit::textChanged, this, &TVector::EPChange);
    connect(EYw, &QLineEdit::textChanged, this, &TVector::EYwChange);
    connect(ER, &QLineEdit::textChanged, this, &TVector::ERChange);
    connect(BBOK, &QPushButton::clicked, this, &QDialog::accept);
}

std::array<QLineEdit*, VectorFields::kFieldCount> TVector::Edits() const {
    return {EX, EY, EZ, EP, EYw, ER};
}

void TVector::SetCell(const QString& cellText, bool vectorMode) {
    cell_ = cellText;
    vectorMode_ = vectorMode;
}

int TVector::ShowModal(const QString& cellText, bool vectorMode) {
    SetCell(cellText, vectorMode);
    return exec();
}

QString TVector::Result() const {
    return ETot->text();
}

void TVector::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the system is not a new use: the user's typing stays.
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TVector::FormShow() {
    const auto edits = Edits();
    // In vector mode the orientation keeps its texts but takes no part in the result.
    for (std::size_t i = VectorFields::Pitch; i < edits.size(); ++i) {
        edits[i]->setEnabled(!vectorMode_);
        Labels[i]->setEnabled(!vectorMode_);
    }
    GB1->setTitle(vectorMode_ ? QStringLiteral("vector") : QStringLiteral("frame"));
    Label7->setText(vectorMode_ ? QStringLiteral("Vector") : QStringLiteral("Frame"));
    fields_.Read(ToBytes(cell_), vectorMode_);
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const QSignalBlocker quiet(edits[i]);  // the fields follow the model here, not lead it
        edits[i]->setText(FromBytes(fields_.Text(static_cast<VectorFields::Field>(i))));
    }
    Total();
}

void TVector::Total() {
    ETot->setText(FromBytes(fields_.Total()));
}

void TVector::FieldChanged(VectorFields::Field field, const QString& text) {
    if (fields_.SetText(field, ToBytes(text))) {
        Total();
    }
}

void TVector::EXChange(const QString& text) {
    FieldChanged(VectorFields::X, text);
}

void TVector::EYChange(const QString& text) {
    FieldChanged(VectorFields::Y, text);
}

void TVector::EZChange(const QString& text) {
    FieldChanged(VectorFields::Z, text);
}

void TVector::EPChange(const QString& text) {
    FieldChanged(VectorFields::Pitch, text);
}

void TVector::EYwChange(const QString& text) {
    FieldChanged(VectorFields::Yaw, text);
}

void TVector::ERChange(const QString& text) {
    FieldChanged(VectorFields::Roll, text);
}

}  // namespace skerry::ui
