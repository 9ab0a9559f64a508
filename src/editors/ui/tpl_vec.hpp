#pragma once

#include <QDialog>
#include <array>

#include "editors/vector_text.hpp"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace skerry::ui {

// Edits a vector or a frame component by component; ETot holds the composed text. The dialog
// lives for the whole run, so its fields keep their texts from one use to the next.
class TVector : public QDialog {
    Q_OBJECT
  public:
    TVector();

    // The cell to read and the form to read it in, taken when the dialog is next shown.
    void SetCell(const QString& cellText, bool vectorMode);
    // SetCell, then shows the dialog modally and returns its result.
    int ShowModal(const QString& cellText, bool vectorMode);
    QString Result() const;

    void FormShow();
    void Total();
    void EXChange(const QString& text);
    void EYChange(const QString& text);
    void EZChange(const QString& text);
    void EPChange(const QString& text);
    void EYwChange(const QString& text);
    void ERChange(const QString& text);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QGroupBox* GB1 = nullptr;
    QLineEdit* EX = nullptr;
    QLineEdit* EY = nullptr;
    QLineEdit* EZ = nullptr;
    QLineEdit* EP = nullptr;
    QLineEdit* EYw = nullptr;
    QLineEdit* ER = nullptr;
    // The field labels "X", "Y", "Z", "Pitch", "Yaw" and "Roll", in that order.
    std::array<QLabel*, VectorFields::kFieldCount> Labels{};
    QLabel* Label7 = nullptr;
    QLineEdit* ETot = nullptr;
    QPushButton* BBOK = nullptr;

    void FieldChanged(VectorFields::Field field, const QString& text);
    std::array<QLineEdit*, VectorFields::kFieldCount> Edits() const;

    VectorFields fields_;
    QString cell_;
    bool vectorMode_ = true;
};

}  // namespace skerry::ui
