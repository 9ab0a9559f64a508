#include "resources/ui/container_commands.hpp"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <filesystem>

#include "common/file_path.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "resources/container_files.hpp"
#include "resources/ui/container_menu.hpp"
#include "resources/ui/container_progress.hpp"

namespace skerry::ui {

namespace {

// Where the folder dialogs open: where the user went last in this run.
QString& LastFolder() {
    static QString folder;
    return folder;
}

QString StartFolder(const std::string& fallback) {
    return !LastFolder().isEmpty() ? LastFolder() : PathFromBytes(fallback);
}

}  // namespace

void PackFolderIntoContainer(QWidget* parent, const Settings& settings) {
    const std::string resources = settings.motsDialect ? settings.motsDir : settings.jkDir;
    FileRequest ask;
    ask.title = QStringLiteral("Folder to pack into a container");
    ask.directory = StartFolder(resources);
    const std::optional<QString> folder = AskFolder(parent, ask);
    if (!folder) {
        return;
    }
    LastFolder() = *folder;
    FileRequest save;
    save.title = QStringLiteral("Container to write");
    save.filters = {QStringLiteral("Jedi Knight container (*.gob *.GOB)"),
                    QStringLiteral("Mots container (*.goo *.GOO)")};
    save.filterIndex = settings.motsDialect ? 1 : 0;
    save.proposedName = QDir(*folder).dirName() +
                        (settings.motsDialect ? QStringLiteral(".goo") : QStringLiteral(".gob"));
    // Beside the folder when the resource folder lies inside it: a container is never
    // written into the folder it is made of.
    const QString resourceDir = QDir(PathFromBytes(resources)).absolutePath();
    const QString packed = QDir(*folder).absolutePath();
    save.directory = resourceDir == packed || resourceDir.startsWith(packed + QLatin1Char('/'))
                         ? QFileInfo(packed).absolutePath()
                         : resourceDir;
    const std::optional<QString> output = AskSaveFile(parent, save);
    if (!output) {
        return;
    }
    const std::filesystem::path from = PathFromUtf8(PathToBytes(*folder));
    const std::filesystem::path to = PathFromUtf8(PathToBytes(*output));
    const ContainerJob job = RunWithProgress(
        parent, QStringLiteral("Pack folder into container"), QStringLiteral("Packing"),
        [&](const ProgressFn& progress) { return WriteContainer(from, to, progress); });
    if (job.status == JobStatus::Done) {
        OfferContainer(Utf8Of(to));
    }
    ShowMessage(parent, JobReport(job));
}

void AddPackFolderCommand(QMenu* menu, QWidget* parent, const Settings& settings) {
    menu->addSeparator()->setObjectName(QStringLiteral("N6"));
    QAction* pack = menu->addAction(QStringLiteral("&Pack folder into container..."));
    pack->setObjectName(QStringLiteral("PackFolder1"));
    pack->setStatusTip(QStringLiteral("Packs a mod's folder into a GOB or GOO container"));
    pack->setToolTip(pack->statusTip());
    QObject::connect(pack, &QAction::triggered, parent,
                     [parent, &settings] { PackFolderIntoContainer(parent, settings); });
}

void UnpackContainer(QWidget* parent, const std::string& container, const Settings& settings) {
    if (container.empty()) {
        ShowMessage(parent, QStringLiteral("No container is open to unpack."));
        return;
    }
    const QString name = QFileInfo(PathFromBytes(container)).fileName();
    FileRequest ask;
    ask.title = QStringLiteral("Folder to unpack %1 into").arg(name);
    ask.directory = StartFolder(settings.workDir);
    const std::optional<QString> folder = AskFolder(parent, ask);
    if (!folder) {
        return;
    }
    LastFolder() = *folder;
    const std::filesystem::path into = PathFromUtf8(PathToBytes(*folder));
    const ContainerJob job =
        RunWithProgress(parent, QStringLiteral("Unpack %1").arg(name), QStringLiteral("Unpacking"),
                        [&](const ProgressFn& progress) {
                            return ExtractContainer(PathFromUtf8(container), into, progress);
                        });
    ShowMessage(parent, JobReport(job));
}

}  // namespace skerry::ui
