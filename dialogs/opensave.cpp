#include "opensave.h"

#include "dialogrecord.h"
#include "dialogseam.h"
#include "error.h"
#include "filterforms.h"
#include "numbers.h"
#include "programfolder.h"

namespace mosaikon {
namespace {

const QString DefaultFilter = QStringLiteral("SNES|*.smc;*.swc;*.fig|All Files (*.*)|*.*");

// `text` without the space characters at its ends; NULs and other blanks stay.
QString trimSpaces(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' ')) --end;
    return text.sliced(begin, end - begin);
}

} // namespace

OpenSave::OpenSave() {
    setCancelError(0);
    setDefaultExt({});
    setDialogTitle({});
    setFileName({});
    setFileTitle({});
    setFilter(DefaultFilter);
    setFilterIndex(1);
    setFlags(0);
    setInitDir(programFolder());
    setMaxFileSize(MaxPath);
    sethWnd(0);
}

void OpenSave::ShowSave() {
    show(DialogKind::Save);
}

void OpenSave::ShowOpen() {
    show(DialogKind::Open);
}

void OpenSave::setFilter(const QString &value) {
    filter_ = filterToDialogForm(value);
}

QString OpenSave::Filter() const {
    return filterToUserForm(filter_);
}

void OpenSave::show(DialogKind kind) {
    DialogRecord record({.owner = hWnd_,
                         .filter = filter_,
                         .filterIndex = filterIndex_,
                         .fileName = fileName_,
                         .maxFileSize = maxFileSize_,
                         .fileTitle = fileTitle_,
                         .initDir = initDir_,
                         .title = dialogTitle_,
                         .flags = flags_,
                         .defaultExt = defaultExt_});
    const int result =
        kind == DialogKind::Open ? runOpenDialog(record.record()) : runSaveDialog(record.record());
    if (result < 1) {
        if (cancelError_ != 0) throw Error(CancelWasSelected, CancelSource, CancelDescription);
        return;
    }
    writeBack(record);
}

void OpenSave::writeBack(DialogRecord &record) {
    const OPENFILENAMEA &rec = *record.record();
    flags_ = static_cast<std::int32_t>(rec.Flags);
    defaultExt_ = record.defaultExt();
    fileName_ = trimSpaces(record.fileName());
    fileTitle_ = trimSpaces(record.fileTitle());
    fileExt_ = static_cast<std::int16_t>(rec.nFileExtension);
    filter_ = trimSpaces(record.filter());
    initDir_ = trimSpaces(record.initDir());
    // The field holds the platform's signed 32-bit number. Its decimal text names the same
    // whole number, so narrowing the number itself is that trip, overflow error included.
    filterIndex_ = narrow<std::int16_t>(static_cast<std::int32_t>(rec.nFilterIndex));
}

} // namespace mosaikon
