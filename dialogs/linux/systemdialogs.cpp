// The system's open and save dialogs where the platform has none: a Qt file dialog behind the
// record's contract (openfilename.h). Qt shows the desktop's own file chooser where its platform
// theme has one (GTK's through the gtk3 theme, the portal's, KDE's) and its own widget dialog
// where none does (a bare X server, no theme). Qt's widget dialog can be driven in tests: its
// object name is "fileDialog", its file name field's "fileNameEdit". The message that refuses a
// path too long for the record is a QMessageBox named "pathTooLong": over Qt's dialog, which
// stays open, or over the program's window once a desktop's chooser has closed, which then shows
// again.

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

#include <algorithm>

namespace mosaikon {
namespace {

// A file dialog holding to the record's room for the path. A choice whose 8-bit path does not
// fit is refused: Qt's widget dialog stays open with a message over it that says why, so the
// only outcome that closes it without a file is a cancel; a desktop's chooser has closed by
// then, so the dialog ends without a file and keeps what was refused for its caller to say.
class RecordFileDialog : public QFileDialog {
public:
    RecordFileDialog(QWidget *parent, qsizetype room)
        : QFileDialog(parent)
        , room_(room) {}

    // The accepted path as the record takes it; empty until a choice is accepted.
    const QByteArray &chosenPath() const { return chosen_; }
    // The choice a desktop's chooser made that did not fit, and its size in bytes; empty and 0
    // when there was none.
    const QString &refusedFile() const { return refused_; }
    qsizetype refusedBytes() const { return refusedBytes_; }

    void done(int result) override {
        if (result == Accepted) {
            const QString file = selectedFiles().value(0);
            const QByteArray path = toRecordText(QDir::toNativeSeparators(file));
            if (path.size() > room_) {
                if (!desktopChooser()) {
                    refuse(file, path.size());
                    return;
                }
                refused_ = file;
                refusedBytes_ = path.size();
                result = Rejected;
            } else {
                chosen_ = path;
            }
        }
        QFileDialog::done(result);
    }

private:
    // Qt keeps its own widgets off the screen while the platform's chooser shows in their place.
    bool desktopChooser() const { return testAttribute(Qt::WA_DontShowOnScreen); }

    void refuse(const QString &file, qsizetype bytes) {
        const QString text = QFileInfo(file).fileName() + u'\n' + pathTooLongText(bytes, room_);
        auto *box =
            new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("pathTooLong"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open(); // over this dialog only; the choice stays to be corrected or cancelled
    }

    qsizetype room_;
    QByteArray chosen_;
    QString refused_;
    qsizetype refusedBytes_ = 0;
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

// Shows `dialog` and handles events until it closes; false when the program quits first. Without
// an owner it blocks no window, so the rest of the program stays usable meanwhile.
bool waitFor(QDialog &dialog, bool owned) {
    dialog.setWindowModality(owned ? Qt::WindowModal : Qt::NonModal);
    bool closed = false;
    QEventLoop wait;
    QObject::connect(&dialog, &QDialog::finished, &wait, [&] {
        closed = true;
        wait.quit();
    });
    dialog.show();
    wait.exec();
    return closed;
}

// The window a message about the dialog belongs over: its owner, else the program's window the
// user works in.
QWidget *windowToSpeakOver(QWidget *owner) {
    if (owner != nullptr) return owner;
    if (QWidget *active = QApplication::activeWindow()) return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto shown = std::find_if(windows.cbegin(), windows.cend(), [](const QWidget *w) {
        return w->isVisible() && w->windowType() == Qt::Window;
    });
    return shown != windows.cend() ? *shown : nullptr;
}

// Says why a desktop chooser's choice was refused, over the program's window, and waits for the
// user as the dialog did; false when the program quits first.
bool sayPathTooLong(const RecordFileDialog &dialog, QWidget *owner, qsizetype room) {
    QMessageBox box(QMessageBox::Warning, dialog.windowTitle(),
                    pathTooLongText(dialog.refusedBytes(), room), QMessageBox::Ok,
                    windowToSpeakOver(owner));
    box.setObjectName(QStringLiteral("pathTooLong"));
    return waitFor(box, owner != nullptr);
}

// Qt's dialog reads its history, last folder and layout from the user's "QtProject" settings
// when it is made and writes them back when it ends, also where a desktop's chooser showed in
// its place. The program keeps nothing between runs, so before the first dialog the user-scope
// settings of both file formats are moved below a device file, where no folder can ever be made,
// not even by root: reads find nothing and writes fail without a word. Within a run the dialog
// still remembers its last folder in memory. Nothing else in the program uses settings.
void keepNoSettings() {
    [[maybe_unused]] static const bool done = [] {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/settings"));
        return true;
    }();
}

// Writes the dialog's accepted choice into the record; 1, or 0 when it does not take it.
int answer(OPENFILENAMEA *rec, const RecordFileDialog &dialog) {
    const QByteArray &path = dialog.chosenPath();
    if (path.isEmpty() || answerWithPath(rec, path) == 0) return 0;
    const qsizetype filter =
        filterNumber(nameFiltersFromList(rec->lpstrFilter), dialog.selectedNameFilter());
    if (filter > 0) rec->nFilterIndex = static_cast<std::uint32_t>(filter);
    return 1;
}

int runDialog(OPENFILENAMEA *rec, QFileDialog::AcceptMode mode) {
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr) return 0;
    keepNoSettings();
    QWidget *owner = ownerOf(*rec);
    QString folder;
    QString filter;
    for (;;) {
        RecordFileDialog dialog(owner, pathRoom(*rec));
        configure(dialog, *rec, mode);
        // Offered again after a refusal: where the user was, with the filter the user had.
        if (!folder.isEmpty()) {
            dialog.setDirectory(folder);
            dialog.selectNameFilter(filter);
        }
        if (!waitFor(dialog, owner != nullptr)) return 0;
        if (dialog.result() == QDialog::Accepted) return answer(rec, dialog);
        if (dialog.refusedFile().isEmpty()) return 0; // a cancel
        if (!sayPathTooLong(dialog, owner, pathRoom(*rec))) return 0;
        folder = QFileInfo(dialog.refusedFile()).absolutePath();
        filter = dialog.selectedNameFilter();
    }
}

} // namespace

int GetOpenFileNameA(OPENFILENAMEA *rec) {
    return runDialog(rec, QFileDialog::AcceptOpen);
}

int GetSaveFileNameA(OPENFILENAMEA *rec) {
    return runDialog(rec, QFileDialog::AcceptSave);
}

} // namespace mosaikon
