// OpenSave over any property values and any dialog outcome. The dialog writes any bytes into the
// file name and title buffers (never past nMaxFile and nMaxFileTitle), sets any filter number,
// extension position and flags, and returns any int. Checked: the filter's two forms, the record
// handed over (filter, file name buffer and its room, title buffer), that only errors 5, 6 and
// 32755 leave the call and with which texts, every property after it (a cancel or a refused
// call changes none), and that a confirmed choice can be shown again. The seeds named case-*
// walk the plain cases: a choice over an empty, longer or full name, a name too long for the
// buffer, filter numbers of all bits set and past 16 bits, cancels with and without CancelError.

#include "dialogseam.h"
#include "error.h"
#include "filterforms.h"
#include "fuzzcheck.h"
#include "openfilename.h"
#include "opensave.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <tuple>

using namespace mosaikon;

namespace {

// Any text: Latin-1 bytes (every "|", NUL and space) or UTF-8 (malformed included).
QString anyText(FuzzedDataProvider &in, std::size_t maxBytes) {
    const std::string b = in.ConsumeRandomLengthString(maxBytes);
    const auto size = static_cast<qsizetype>(b.size());
    return in.ConsumeBool() ? QString::fromLatin1(b.data(), size)
                            : QString::fromUtf8(b.data(), size);
}

QString through(const QString &text) { // to the record and back
    const QByteArray bytes = toRecordText(text);
    return fromRecordText(bytes.constData(), bytes.size());
}

QString trimmed(const QString &text) { // spaces only, never NULs
    return QString(text).remove(QRegularExpression(QStringLiteral("^ +| +\\z")));
}

auto properties(const OpenSave &o) {
    return std::tuple(o.CancelError(), o.DefaultExt(), o.DialogTitle(), o.FileName(), o.FileTitle(),
                      o.FilterIndex(), o.Filter(), o.Flags(), o.InitDir(), o.MaxFileSize(),
                      o.hWnd(), o.FileExt());
}

// Whether `text` holds `bytes` and a NUL behind them.
bool holds(const char *text, const QByteArray &bytes) {
    return std::memcmp(text, bytes.constData(), std::size_t(bytes.size()) + 1) == 0;
}

// Writes up to `room` bytes of the input somewhere into `buffer`, and the same into `copy`.
void scribble(FuzzedDataProvider &in, char *buffer, std::uint32_t room, std::string &copy) {
    const auto at = in.ConsumeIntegralInRange<std::size_t>(0, room);
    const std::string bytes =
        in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, room - at));
    std::copy(bytes.begin(), bytes.end(), buffer + at);
    copy.replace(at, bytes.size(), bytes);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    static int argc = 1; // the application tells OpenSave the program's folder
    static char name[] = "fuzz_opensave", *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    OpenSave o;
    // The filter: "|" handed over as NUL, ending in two NULs; read back with those two gone.
    const QString filter = anyText(in, 200);
    o.setFilter(filter);
    QString dialogForm = QString(filter).replace(u'|', QChar(0));
    while (!dialogForm.endsWith(QString(2, QChar(0)))) dialogForm += QChar(0);
    FUZZ_CHECK(o.Filter() == QString(dialogForm).replace(QChar(0), u'|').chopped(2));

    o.setCancelError(in.ConsumeBool() ? in.ConsumeIntegral<std::int16_t>() : std::int16_t{0});
    o.setMaxFileSize(in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int16_t>(-3, 600)
                                      : in.ConsumeIntegral<std::int16_t>());
    o.setFileName(anyText(in, 700)), o.setFileTitle(anyText(in, 300));
    o.setFlags(in.ConsumeIntegral<std::int32_t>()),
        o.setFilterIndex(in.ConsumeIntegral<std::int16_t>());
    o.setInitDir(anyText(in, 100)), o.setDefaultExt(anyText(in, 20)),
        o.setDialogTitle(anyText(in, 100));
    const auto before = properties(o);
    // The file name buffer: FileName and NULs, MaxFileSize + 1 characters; refused when longer.
    const qsizetype padding = qsizetype{o.MaxFileSize()} - o.FileName().size() + 1;
    const QByteArray sent =
        padding < 0 ? QByteArray() : toRecordText(o.FileName() + QString(padding, QChar(0)));
    QByteArray titleSent = toRecordText(o.FileTitle() + QString(256, u' '));
    if (titleSent.size() < 260) titleSent.resize(260, ' ');
    std::string file, title;
    int result = 0, calls = 0;
    std::uint32_t filterNumber = 0, flags = 0;
    std::uint16_t extension = 0;
    const FileDialogFunction dialog = [&](OPENFILENAMEA *rec) {
        ++calls;
        FUZZ_CHECK(holds(rec->lpstrFile, sent) &&
                   holds(rec->lpstrFilter, toRecordText(dialogForm)));
        FUZZ_CHECK(holds(rec->lpstrFileTitle, titleSent) && rec->nMaxFileTitle == 260);
        FUZZ_CHECK(rec->nMaxFile == std::uint32_t(std::max(0, int{std::get<9>(before)})));
        file.assign(rec->lpstrFile, std::size_t(sent.size()));
        title.assign(titleSent.constData(), std::size_t(titleSent.size()));
        scribble(in, rec->lpstrFile, rec->nMaxFile, file);
        scribble(in, rec->lpstrFileTitle, rec->nMaxFileTitle, title);
        rec->nFilterIndex = filterNumber = in.ConsumeBool()
                                               ? std::uint32_t(in.ConsumeIntegralInRange(-3, 40000))
                                               : in.ConsumeIntegral<std::uint32_t>();
        rec->nFileExtension = extension = in.ConsumeIntegral<std::uint16_t>();
        rec->Flags = flags = in.ConsumeIntegral<std::uint32_t>();
        return result =
                   in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 1) : in.ConsumeIntegral<int>();
    };
    int error = 0;
    try {
        const ScopedDialogFunctions scripted(dialog, dialog);
        in.ConsumeBool() ? o.ShowSave() : o.ShowOpen();
    } catch (const Error &e) {
        error = e.number();
        const bool cancel = error == 32755;
        FUZZ_CHECK(e.source() == (cancel ? "Run-time error" : "Mosaikon"));
        FUZZ_CHECK(e.description() == (cancel       ? "Cancel was selected"
                                       : error == 5 ? "Invalid procedure call or argument"
                                                    : "Overflow"));
    }
    if (padding < 0 || result < 1) { // refused before any dialog, or cancelled
        const int want = padding < 0 ? 5 : std::get<0>(before) != 0 ? 32755 : 0;
        FUZZ_CHECK(calls == (padding < 0 ? 0 : 1) && error == want && properties(o) == before);
        return 0;
    }
    const auto number = std::int32_t(filterNumber);
    const bool fits = number >= INT16_MIN && number <= INT16_MAX;
    QString fileBuffer = fromRecordText(file.data(), qsizetype(file.size()));
    fileBuffer.resize(qsizetype{std::get<9>(before)} + 1, QChar(0)); // as long as it was sent
    FUZZ_CHECK(error == (fits ? 0 : 6) && o.Flags() == std::int32_t(flags));
    FUZZ_CHECK(o.FileName() == trimmed(fileBuffer) && o.FileExt() == std::int16_t(extension));
    FUZZ_CHECK(o.FileTitle() == trimmed(fromRecordText(title.data(), qsizetype(title.size()))));
    FUZZ_CHECK(o.FilterIndex() == (fits ? std::int16_t(number) : std::get<5>(before)));
    FUZZ_CHECK(o.InitDir() == trimmed(through(std::get<8>(before))) &&
               o.DefaultExt() == through(std::get<1>(before)));
    FUZZ_CHECK(o.Filter() == filterToUserForm(trimmed(through(dialogForm))));
    FUZZ_CHECK(o.DialogTitle() == std::get<2>(before) && o.MaxFileSize() == std::get<9>(before));
    FUZZ_CHECK(o.CancelError() == std::get<0>(before));
    // The chosen path stays the start name of the next dialog: refused, it would throw (error 5).
    const ScopedDialogFunctions cancelled([](OPENFILENAMEA *) { return 0; });
    o.setCancelError(0);
    o.ShowOpen();
    return 0;
}
