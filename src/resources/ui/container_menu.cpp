#include "resources/ui/container_menu.hpp"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSignalBlocker>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "common/ui/qt_text.hpp"
#include "resources/picker_listing.hpp"
#include "resources/ui/container_commands.hpp"

namespace skerry::ui {

namespace {

struct ContainerBox {
    QPointer<QComboBox> box;
    const Settings* settings;
};

std::vector<ContainerBox>& Boxes() {
    static std::vector<ContainerBox> boxes;
    return boxes;
}

}  // namespace

void OfferContainer(const std::string& path) {
    const std::filesystem::path written = PathFromUtf8(path);
    const std::string name = Utf8Of(written.filename());
    const std::string_view extension = FileExtension(name);
    if (!EqualsIgnoringCase(extension, ".gob") && !EqualsIgnoringCase(extension, ".goo")) {
        return;
    }
    for (const ContainerBox& listed : Boxes()) {
        const Settings& settings = *listed.settings;
        const std::string& dir = settings.motsDialect ? settings.motsDir : settings.jkDir;
        if (listed.box.isNull() || dir.empty() ||
            !SameFile(written.parent_path(), PathFromUtf8(dir))) {
            continue;
        }
        const QString item = PathFromBytes(name);
        if (listed.box->findText(item, Qt::MatchFixedString) < 0) {
            const QSignalBlocker quiet(listed.box.data());
            const QString text = listed.box->currentText();
            listed.box->addItem(item);
            listed.box->setEditText(text);
        }
    }
}

void AddContainerMenu(QComboBox* box, std::function<std::string()> openContainer,
                      const Settings& settings) {
    std::erase_if(Boxes(), [](const ContainerBox& listed) { return listed.box.isNull(); });
    Boxes().push_back({box, &settings});
    auto* unpack = new QAction(QStringLiteral("Unpack container..."), box);
    unpack->setObjectName(QStringLiteral("UnpackContainer1"));
    unpack->setToolTip(QStringLiteral("Writes every entry of the open container into a folder"));
    QObject::connect(unpack, &QAction::triggered, box, [box, openContainer, &settings] {
        UnpackContainer(box->window(), openContainer(), settings);
    });
    const auto showMenu = [box, unpack](QWidget* at, const QPoint& position) {
        QLineEdit* edit = box->lineEdit();
        std::unique_ptr<QMenu> menu(edit != nullptr ? edit->createStandardContextMenu()
                                                    : new QMenu);
        if (!menu->isEmpty()) {
            menu->addSeparator();
        }
        menu->addAction(unpack);
        menu->exec(at->mapToGlobal(position));
    };
    for (QWidget* widget : {static_cast<QWidget*>(box), static_cast<QWidget*>(box->lineEdit())}) {
        if (widget == nullptr) {
            continue;
        }
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(
            widget, &QWidget::customContextMenuRequested, box,
            [widget, showMenu](const QPoint& position) { showMenu(widget, position); });
    }
}

}  // namespace skerry::ui
