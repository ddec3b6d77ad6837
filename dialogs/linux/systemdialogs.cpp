// The system's open and save dialogs where the platform has none: a Qt file dialog behind the
// record's contract (openfilename.h). Always Qt's own dialog widget, so it looks and behaves
// the same on every desktop and can be driven in tests: the dialog's object name is
// "fileDialog", its file name field's "fileNameEdit", and the message that refuses a path too
// long for the record is a QMessageBox named "pathTooLong" over it.

#include "dialogseam.h"
#include "namefilters.h"
#include "openfilename.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

namespace mosaikon {
namespace {

// Qt's dialog, holding to the record's room for the path. A choice whose 8-bit path does not
// fit is refused while the dialog stays open, with a message over it that says why, so the only
// outcome that closes it without a file is a cancel.
class RecordFileDialog : public QFileDialog {
public:
    RecordFileDialog(QWidget *parent, qsizetype room)
        : QFileDialog(parent)
        , room_(room) {}

    // The accepted path as the record takes it; empty until a choice is accepted.
    const QByteArray &chosenPath() const { return chosen_; }

    void done(int result) override {
        if (result == Accepted) {
            const QByteArray path =
                toRecordText(QDir::toNativeSeparators(selectedFiles().value(0)));
            if (path.size() > room_) {
                refuse(path.size());
                return;
            }
            chosen_ = path;
        }
        QFileDialog::done(result);
    }

private:
    void refuse(qsizetype bytes) {
        const QString text =
            QStringLiteral("%1\nThe path of this file is too long for the program: it takes %2 "
                           "bytes, and at most %3 fit.\nPlease choose a file with a shorter path.")
                .arg(QFileInfo(selectedFiles().value(0)).fileName())
                .arg(bytes)
                .arg(room_);
        auto *box =
            new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("pathTooLong"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open(); // over this dialog only; the choice stays to be corrected or cancelled
    }

    qsizetype room_;
    QByteArray chosen_;
};

// The window the record names as owner, or null for none (or one that is not ours).
QWidget *ownerOf(const OPENFILENAMEA &rec) {
    if (rec.hwndOwner == nullptr) return nullptr;
    QWidget *owner =
        QWidget::find(static_cast<WId>(reinterpret_cast<std::uintptr_t>(rec.hwndOwner)));
    return owner != nullptr ? owner->window() : nullptr;
}

void setFilters(QFileDialog &dialog, const OPENFILENAMEA &rec) {
    const QStringList filters = nameFiltersFromList(rec.lpstrFilter);
    if (filters.isEmpty()) return;
    dialog.setNameFilters(filters);
    const auto index = static_cast<qsizetype>(rec.nFilterIndex);
    dialog.selectNameFilter(filters.value(index >= 1 && index <= filters.size() ? index - 1 : 0));
}

void configure(QFileDialog &dialog, const OPENFILENAMEA &rec, QFileDialog::AcceptMode mode) {
    const bool open = mode == QFileDialog::AcceptOpen;
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (rec.Flags & OFN_OVERWRITEPROMPT) == 0);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QString title = fromRecordText(rec.lpstrTitle);
    dialog.setWindowTitle(!title.isEmpty() ? title
                          : open           ? QStringLiteral("Open")
                                           : QStringLiteral("Save As"));
    setFilters(dialog, rec);
    const QString folder = fromRecordText(rec.lpstrInitialDir);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    const QString startName = fromRecordText(rec.lpstrFile);
    if (!startName.isEmpty()) dialog.selectFile(startName);
    dialog.setDefaultSuffix(fromRecordText(rec.lpstrDefExt));
}

// Shows the dialog and handles events until it closes (or the application quits). Without an
// owner it blocks no window, so the rest of the program stays usable meanwhile.
bool confirmed(QFileDialog &dialog, bool owned) {
    dialog.setWindowModality(owned ? Qt::WindowModal : Qt::NonModal);
    QEventLoop wait;
    QObject::connect(&dialog, &QDialog::finished, &wait, &QEventLoop::quit);
    dialog.show();
    wait.exec();
    return dialog.result() == QDialog::Accepted;
}

// Qt's dialog reads its history, last folder and layout from the user's "QtProject" settings
// when it is made and writes them back when it ends. The program keeps nothing between runs, so
// before the first dialog the user-scope settings of both file formats are moved below a device
// file, where no folder can ever be made, not even by root: reads find nothing and writes fail
// without a word. Within a run the dialog still remembers its last folder in memory. Nothing
// else in the program uses settings.
void keepNoSettings() {
    [[maybe_unused]] static const bool done = [] {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/settings"));
        return true;
    }();
}

int runDialog(OPENFILENAMEA *rec, QFileDialog::AcceptMode mode) {
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr) return 0;
    keepNoSettings();
    QWidget *owner = ownerOf(*rec);
    RecordFileDialog dialog(owner, pathRoom(*rec));
    configure(dialog, *rec, mode);
    if (!confirmed(dialog, owner != nullptr)) return 0;

    const QByteArray &path = dialog.chosenPath();
    if (path.isEmpty() || answerWithPath(rec, path) == 0) return 0;
    const qsizetype filter =
        filterNumber(nameFiltersFromList(rec->lpstrFilter), dialog.selectedNameFilter());
    if (filter > 0) rec->nFilterIndex = static_cast<std::uint32_t>(filter);
    return 1;
}

} // namespace

int GetOpenFileNameA(OPENFILENAMEA *rec) {
    return runDialog(rec, QFileDialog::AcceptOpen);
}

int GetSaveFileNameA(OPENFILENAMEA *rec) {
    return runDialog(rec, QFileDialog::AcceptSave);
}

} // namespace mosaikon
