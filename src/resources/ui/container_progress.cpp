#include "resources/ui/container_progress.hpp"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLocale>
#include <QPushButton>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "common/ui/qt_text.hpp"

namespace skerry::ui {

namespace {

constexpr int kSteps = 1000;

// What the worker last reported, handed to the window's thread. At most one report waits
// there at a time: a worker of thousands of small files would otherwise flood it.
struct Reports {
    std::mutex mutex;
    ContainerProgress at;
    std::string current;  // at.current points into the worker's memory
    bool waiting = false;
    std::atomic<bool> cancel{false};
};

}  // namespace

ContainerProgressDialog::ContainerProgressDialog(QWidget* parent, const QString& title,
                                                 const QString& verb)
    : QProgressDialog(parent), verb_(verb) {
    setObjectName(QStringLiteral("ContainerProgress"));
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    setRange(0, kSteps);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(460);
    setLabelText(verb_ + QStringLiteral("..."));
    // Cancel only asks; the dialog goes when the work has stopped, not before.
    disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
}

void ContainerProgressDialog::Show(const ContainerProgress& at) {
    const QLocale locale;
    QString text =
        verb_ + QLatin1Char(' ') + FromBytes(at.current) + QLatin1Char('\n') +
        QStringLiteral("%1 of %2 files, %3 of %4")
            .arg(locale.toString(static_cast<qulonglong>(at.doneEntries)),
                 locale.toString(static_cast<qulonglong>(at.totalEntries)),
                 FromBytes(ByteCountText(at.doneBytes)), FromBytes(ByteCountText(at.totalBytes)));
    setLabelText(text);
    const double share =
        at.totalBytes > 0 ? static_cast<double>(at.doneBytes) / static_cast<double>(at.totalBytes)
        : at.totalEntries > 0
            ? static_cast<double>(at.doneEntries) / static_cast<double>(at.totalEntries)
            : 0.0;
    setValue(static_cast<int>(share * kSteps));
}

void ContainerProgressDialog::Stopping() {
    setLabelText(QStringLiteral("Stopping..."));
    if (auto* button = findChild<QPushButton*>()) {
        button->setEnabled(false);
    }
}

void ContainerProgressDialog::reject() {
    emit canceled();
}

void ContainerProgressDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit canceled();
}

ContainerJob RunWithProgress(QWidget* parent, const QString& title, const QString& verb,
                             const ContainerWork& work) {
    ContainerProgressDialog dialog(parent, title, verb);
    auto reports = std::make_shared<Reports>();
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, reports] {
        reports->cancel = true;
        dialog.Stopping();
    });
    const auto showLatest = [&dialog, reports] {
        ContainerProgress at;
        std::string current;
        {
            const std::lock_guard<std::mutex> lock(reports->mutex);
            at = reports->at;
            current = reports->current;
            reports->waiting = false;
        }
        at.current = current;
        if (!reports->cancel) {
            dialog.Show(at);
        }
    };
    const ProgressFn progress = [&dialog, reports, showLatest](const ContainerProgress& at) {
        {
            const std::lock_guard<std::mutex> lock(reports->mutex);
            reports->at = at;
            reports->current = at.current;
            if (reports->waiting) {
                return !reports->cancel;
            }
            reports->waiting = true;
        }
        QMetaObject::invokeMethod(&dialog, showLatest, Qt::QueuedConnection);
        return !reports->cancel;
    };

    QEventLoop loop;
    ContainerJob result;
    dialog.show();
    std::thread worker([&] {
        result = work(progress);
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result;
}

QString JobReport(const ContainerJob& job) {
    constexpr std::size_t kNotesShown = 20;
    QString text = PathFromBytes(job.summary);
    for (std::size_t i = 0; i < job.notes.size() && i < kNotesShown; ++i) {
        text +=
            (i == 0 ? QStringLiteral("\n\n") : QStringLiteral("\n")) + PathFromBytes(job.notes[i]);
    }
    if (job.notes.size() > kNotesShown) {
        text += QStringLiteral("\n... and %1 more").arg(job.notes.size() - kNotesShown);
    }
    return text;
}

}  // namespace skerry::ui
