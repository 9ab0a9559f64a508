#include "resources/ui/res_picker.hpp"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/look.hpp"
#include "app/ui/qt_text.hpp"
#include "resources/picker_order.hpp"

namespace skerry::ui {

namespace {

constexpr int kListWidth = 211;
constexpr int kMemoHeight = 139;

// The file-name part of a name: whatever follows its last folder separator.
std::string FileNamePart(const std::string& name) {
    const std::size_t last = name.find_last_of("\\/");
    return last == std::string::npos ? name : name.substr(last + 1);
}

}  // namespace

TRes::TRes(Settings& settings, TemplateStore& templates)
    : settings_(settings), templates_(templates) {
    setObjectName(QStringLiteral("TRes"));
    setWindowTitle(QStringLiteral("Resource Picker"));
    setStyleSheet(QStringLiteral("TRes { background-color: #c0c0c0; }"));

    LB1 = new QListWidget;
    LB1->setObjectName(QStringLiteral("LB1"));
    LB1->setStyleSheet(NameListLook());
    LB1->setMinimumWidth(80);

    Memo = new QPlainTextEdit;
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setStyleSheet(TextOnBlack("QPlainTextEdit"));

    auto* upper = new QSplitter(Qt::Horizontal);
    upper->setObjectName(QStringLiteral("UpperSplitter"));
    upper->setHandleWidth(4);
    upper->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: #008080; }"));
    upper->addWidget(LB1);
    auto* preview = new QWidget;
    preview->setObjectName(QStringLiteral("Panel3"));
    preview->setStyleSheet(TextOnBlack("QWidget#Panel3"));
    upper->addWidget(preview);
    upper->setStretchFactor(1, 1);
    upper->setSizes({kListWidth, 600});

    auto* vertical = new QSplitter(Qt::Vertical);
    vertical->setObjectName(QStringLiteral("MemoSplitter"));
    vertical->setHandleWidth(4);
    vertical->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: #808080; }"));
    vertical->addWidget(upper);
    vertical->addWidget(Memo);
    vertical->setStretchFactor(0, 1);
    vertical->setSizes({400, kMemoHeight});

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
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(vertical, 1);
    layout->addLayout(bottom);
    resize(1000, 700);

    connect(LB1, &QListWidget::itemSelectionChanged, this, &TRes::LB1Click);
    connect(BBok, &QPushButton::clicked, this, &TRes::BBokClick);
    connect(BBClose, &QPushButton::clicked, this, &TRes::BBCloseClick);
    FormCreate();
}

int TRes::ShowModal() {
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

void TRes::FormCreate() {
    resourceMode_ = true;
}

void TRes::hideEvent(QHideEvent* event) {
    FormHide();
    QDialog::hideEvent(event);
}

void TRes::FormHide() {
    Memo->clear();
}

void TRes::ClearList() {
    LB1->clear();
    listed_.clear();
}

void TRes::AddNames(const std::vector<std::string>& names) {
    listed_.insert(listed_.end(), names.begin(), names.end());
    std::stable_sort(
        listed_.begin(), listed_.end(),
        [](const std::string& a, const std::string& b) { return PickerNameLess(a, b); });
    QStringList items;
    items.reserve(static_cast<qsizetype>(listed_.size()));
    for (const std::string& name : listed_) {
        items.append(FromBytes(name));
    }
    const QSignalBlocker quiet(LB1);
    LB1->clear();
    LB1->addItems(items);
}

void TRes::LB1Click() {
    Memo->clear();
    const int row = LB1->currentRow();
    if (row < 0 || LB1->selectedItems().isEmpty() ||
        static_cast<std::size_t>(row) >= listed_.size()) {
        return;
    }
    const std::string& name = listed_[static_cast<std::size_t>(row)];
    ED->setText(FromBytes(name));
    if (!resourceMode_) {
        // The lookup also records the template's fields, which Open walks from.
        if (const std::optional<std::string> line = templates_.Lookup(name)) {
            Memo->appendPlainText(FromBytes(*line));
        }
    }
    ED->setText(FromBytes(FileNamePart(name)));
}

void TRes::BBokClick() {
    done(QDialog::Accepted);
}

void TRes::BBCloseClick() {
    ED->clear();
    done(QDialog::Rejected);
}

}  // namespace skerry::ui
