// OpenSave's filter forms over any text, and ShowOpen / ShowSave over any property values and
// any dialog outcome.
//
// The dialog is a function put in place through ScopedDialogFunctions that behaves as the
// contract allows a system dialog to behave: it writes any bytes into the file name buffer and
// the title buffer, never past nMaxFile and nMaxFileTitle, sets any filter number, extension
// position and flags, and returns any int. Checked: what the record carries in, every property
// after the call (a cancel or a refused call changes none), that only mosaikon::Error numbers 5,
// 6 and 32755 leave the call, and that a confirmed choice can be shown again.

#include "dialogseam.h"
#include "error.h"
#include "filterforms.h"
#include "fuzzcheck.h"
#include "openfilename.h"
#include "opensave.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

using namespace mosaikon;

namespace {

const QChar Nul(0);
const QChar Bar('|');

// Any text: Latin-1 bytes (every "|", NUL and space), UTF-8 (malformed included), or raw UTF-16
// code units (lone surrogates included).
QString anyText(FuzzedDataProvider &in, std::size_t maxBytes) {
    const std::string bytes = in.ConsumeRandomLengthString(maxBytes);
    const auto size = static_cast<qsizetype>(bytes.size());
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
        return QString::fromLatin1(bytes.data(), size);
    case 1:
        return QString::fromUtf8(bytes.data(), size);
    default: {
        QString text;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            text.append(
                QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return text;
    }
    }
}

QString trimSpaces(QString text) {
    while (text.startsWith(QLatin1Char(' '))) text.remove(0, 1);
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text;
}

std::string recordBytes(const QString &text) {
    const QByteArray bytes = toRecordText(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fromBytes(const std::string &bytes) {
    return fromRecordText(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// `text` as it comes back from a trip through the record untouched.
QString throughRecord(const QString &text) {
    return fromBytes(recordBytes(text));
}

// The record's text at `p` holds exactly `bytes` and then its terminating NUL.
bool holds(const char *p, const std::string &bytes) {
    return p != nullptr && std::memcmp(p, bytes.data(), bytes.size()) == 0 &&
           p[bytes.size()] == '\0';
}

struct Properties {
    std::int16_t CancelError;
    QString DefaultExt;
    QString DialogTitle;
    QString FileName;
    QString FileTitle;
    std::int16_t FilterIndex;
    QString Filter;
    std::int32_t Flags;
    QString InitDir;
    std::int16_t MaxFileSize;
    std::int32_t hWnd;
    std::int16_t FileExt;

    static Properties of(const OpenSave &o) {
        return {o.CancelError(), o.DefaultExt(),  o.DialogTitle(), o.FileName(),
                o.FileTitle(),   o.FilterIndex(), o.Filter(),      o.Flags(),
                o.InitDir(),     o.MaxFileSize(), o.hWnd(),        o.FileExt()};
    }
    bool operator==(const Properties &) const = default;
};

// The user form that the getter gives for a filter set to `userForm`: its NULs read as "|" and
// at most two of its trailing "|" gone, one when it ends in exactly one.
QString expectedUserForm(const QString &userForm) {
    QString text = userForm;
    text.replace(Nul, Bar);
    qsizetype bars = 0;
    while (bars < text.size() && text[text.size() - 1 - bars] == Bar) ++bars;
    text.chop(std::min<qsizetype>(bars, 2));
    return text;
}

void checkFilterForms(OpenSave &dialog, const QString &userForm) {
    const QString dialogForm = filterToDialogForm(userForm);
    QString separated = userForm;
    separated.replace(Bar, Nul);
    FUZZ_CHECK(dialogForm.startsWith(separated));
    FUZZ_CHECK(dialogForm.size() - userForm.size() <= 2);
    FUZZ_CHECK(dialogForm.endsWith(QString(2, Nul)));
    FUZZ_CHECK(!dialogForm.contains(Bar));

    dialog.setFilter(userForm);
    FUZZ_CHECK(dialog.Filter() == expectedUserForm(userForm));
    FUZZ_CHECK(dialog.Filter() == filterToUserForm(dialogForm));
    if (!userForm.contains(Nul) && !userForm.endsWith(Bar)) FUZZ_CHECK(dialog.Filter() == userForm);
}

// What the fuzzed dialog did to the record.
struct Outcome {
    bool called = false;
    int result = 0;
    std::string file;  // the file name buffer after the dialog
    std::string title; // the title buffer after the dialog
    std::uint32_t filterIndex = 0;
    std::uint32_t flags = 0;
    std::uint16_t extension = 0;
};

// Writes up to `room` bytes of the input somewhere into the first `room` bytes of `buffer`, and
// the same into `copy`.
void scribble(FuzzedDataProvider &in, char *buffer, std::uint32_t room, std::string &copy) {
    const auto at = in.ConsumeIntegralInRange<std::size_t>(0, room);
    const auto count = in.ConsumeIntegralInRange<std::size_t>(0, room - at);
    const std::string bytes = in.ConsumeBytesAsString(count);
    std::copy(bytes.begin(), bytes.end(), buffer + at);
    copy.replace(at, bytes.size(), bytes);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The application object tells OpenSave the program's folder. It gets its own arguments, so
    // libFuzzer's are left alone.
    static int argc = 1;
    static char name[] = "fuzz_opensave";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    OpenSave dialog;
    const QString userForm = anyText(in, 200);
    checkFilterForms(dialog, userForm);

    dialog.setCancelError(in.ConsumeBool() ? in.ConsumeIntegral<std::int16_t>() : std::int16_t{0});
    dialog.setMaxFileSize(in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int16_t>(-3, 600)
                                           : in.ConsumeIntegral<std::int16_t>());
    dialog.setFileName(anyText(in, 700));
    dialog.setFileTitle(anyText(in, 300));
    dialog.setFlags(in.ConsumeIntegral<std::int32_t>());
    dialog.setFilterIndex(in.ConsumeIntegral<std::int16_t>());
    dialog.sethWnd(in.ConsumeIntegral<std::int32_t>());
    dialog.setFileExt(in.ConsumeIntegral<std::int16_t>());
    dialog.setInitDir(anyText(in, 100));
    dialog.setDialogTitle(anyText(in, 100));
    dialog.setDefaultExt(anyText(in, 20));
    const bool save = in.ConsumeBool();
    const Properties before = Properties::of(dialog);

    // What the record must carry in. The file name buffer is FileName and NULs, MaxFileSize + 1
    // characters; the title buffer FileTitle and at least 256 spaces, never less than 260 bytes.
    const qsizetype padding = qsizetype{before.MaxFileSize} - before.FileName.size() + 1;
    const bool refused = padding < 0;
    const std::string fileSent =
        refused ? std::string() : recordBytes(before.FileName + QString(padding, Nul));
    std::string titleSent = recordBytes(before.FileTitle + QString(256, QLatin1Char(' ')));
    if (titleSent.size() < 260) titleSent.resize(260, ' ');
    const std::string filterSent = recordBytes(filterToDialogForm(userForm));

    Outcome outcome;
    const FileDialogFunction dialogFunction = [&](OPENFILENAMEA *rec) {
        FUZZ_CHECK(!outcome.called);
        outcome.called = true;
        FUZZ_CHECK(rec->lStructSize == 76);
        FUZZ_CHECK(rec->hwndOwner == reinterpret_cast<void *>(std::intptr_t{before.hWnd}));
        FUZZ_CHECK(rec->hInstance == nullptr);
        FUZZ_CHECK(holds(rec->lpstrFilter, filterSent));
        FUZZ_CHECK(rec->lpstrCustomFilter == nullptr && rec->nMaxCustFilter == 0);
        FUZZ_CHECK(rec->nFilterIndex ==
                   static_cast<std::uint32_t>(std::int32_t{before.FilterIndex}));
        FUZZ_CHECK(holds(rec->lpstrFile, fileSent));
        FUZZ_CHECK(rec->nMaxFile <=
                   static_cast<std::uint32_t>(std::max<int>(before.MaxFileSize, 0)));
        FUZZ_CHECK(rec->nMaxFile < fileSent.size() || (rec->nMaxFile == 0 && fileSent.empty()));
        FUZZ_CHECK(holds(rec->lpstrFileTitle, titleSent));
        FUZZ_CHECK(rec->nMaxFileTitle == 260 && rec->nMaxFileTitle <= titleSent.size());
        FUZZ_CHECK(holds(rec->lpstrInitialDir, recordBytes(before.InitDir)));
        FUZZ_CHECK(holds(rec->lpstrTitle, recordBytes(before.DialogTitle)));
        FUZZ_CHECK(rec->Flags == static_cast<std::uint32_t>(before.Flags));
        FUZZ_CHECK(rec->nFileOffset == 0 && rec->nFileExtension == 0);
        FUZZ_CHECK(holds(rec->lpstrDefExt, recordBytes(before.DefaultExt)));
        FUZZ_CHECK(rec->lCustData == 0 && rec->lpfnHook == nullptr);
        FUZZ_CHECK(holds(rec->lpTemplateName, "0"));

        outcome.file = fileSent;
        outcome.title = titleSent;
        scribble(in, rec->lpstrFile, rec->nMaxFile, outcome.file);
        scribble(in, rec->lpstrFileTitle, rec->nMaxFileTitle, outcome.title);
        rec->nFilterIndex = in.ConsumeBool()
                                ? static_cast<std::uint32_t>(in.ConsumeIntegralInRange(-3, 40000))
                                : in.ConsumeIntegral<std::uint32_t>();
        rec->nFileExtension = in.ConsumeIntegral<std::uint16_t>();
        rec->nFileOffset = in.ConsumeIntegral<std::uint16_t>();
        rec->Flags = in.ConsumeIntegral<std::uint32_t>();
        outcome.filterIndex = rec->nFilterIndex;
        outcome.flags = rec->Flags;
        outcome.extension = rec->nFileExtension;
        outcome.result =
            in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 1) : in.ConsumeIntegral<int>();
        return outcome.result;
    };

    std::optional<int> error;
    {
        const ScopedDialogFunctions scripted(dialogFunction, dialogFunction);
        try {
            if (save)
                dialog.ShowSave();
            else
                dialog.ShowOpen();
        } catch (const Error &e) {
            error = e.number();
            if (e.number() == CancelWasSelected) {
                FUZZ_CHECK(e.source() == OpenSave::CancelSource);
                FUZZ_CHECK(e.description() == OpenSave::CancelDescription);
            }
        }
    }
    const Properties after = Properties::of(dialog);

    if (refused) {
        FUZZ_CHECK(!outcome.called && error == InvalidProcedureCall && after == before);
        return 0;
    }
    FUZZ_CHECK(outcome.called);
    if (outcome.result < 1) {
        FUZZ_CHECK(error == (before.CancelError != 0 ? std::optional<int>(CancelWasSelected)
                                                     : std::nullopt));
        FUZZ_CHECK(after == before);
        return 0;
    }

    const auto filterIndex = static_cast<std::int32_t>(outcome.filterIndex);
    const bool indexFits = filterIndex >= INT16_MIN && filterIndex <= INT16_MAX;
    FUZZ_CHECK(error == (indexFits ? std::nullopt : std::optional<int>(Overflow)));
    FUZZ_CHECK(after.Flags == static_cast<std::int32_t>(outcome.flags));
    FUZZ_CHECK(after.DefaultExt == throughRecord(before.DefaultExt));
    // The file name buffer comes back as long as it was sent, MaxFileSize + 1 characters, also
    // where the dialog's bytes have split a character of several bytes.
    QString fileBuffer = fromBytes(outcome.file);
    fileBuffer.resize(qsizetype{before.MaxFileSize} + 1, Nul);
    FUZZ_CHECK(after.FileName == trimSpaces(fileBuffer));
    FUZZ_CHECK(after.FileTitle == trimSpaces(fromBytes(outcome.title)));
    FUZZ_CHECK(after.FileExt == static_cast<std::int16_t>(outcome.extension));
    FUZZ_CHECK(after.Filter == filterToUserForm(trimSpaces(fromBytes(filterSent))));
    FUZZ_CHECK(after.InitDir == trimSpaces(throughRecord(before.InitDir)));
    FUZZ_CHECK(after.FilterIndex ==
               (indexFits ? static_cast<std::int16_t>(filterIndex) : before.FilterIndex));
    FUZZ_CHECK(after.DialogTitle == before.DialogTitle && after.hWnd == before.hWnd);
    FUZZ_CHECK(after.MaxFileSize == before.MaxFileSize && after.CancelError == before.CancelError);

    // The chosen path stays the start name of the next dialog with the same MaxFileSize.
    const ScopedDialogFunctions cancelled([](OPENFILENAMEA *) { return 0; },
                                          [](OPENFILENAMEA *) { return 0; });
    dialog.setCancelError(0);
    try {
        dialog.ShowOpen();
    } catch (const Error &e) {
        std::fprintf(stderr, "the chosen FileName of %lld characters is refused: error %d\n",
                     static_cast<long long>(after.FileName.size()), e.number());
        FUZZ_CHECK(false);
    }
    return 0;
}
