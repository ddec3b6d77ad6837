// OpenSave and the record it hands over, the user's answer scripted through the dialog seam.

#include "dialogseam.h"
#include "error.h"
#include "filterforms.h"
#include "openfilename.h"
#include "opensave.h"
#include "testrows.h"

#include <QDir>

#include <gtest/gtest.h>

#include <tuple>

namespace mosaikon {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString DefaultFilter = u"SNES|*.smc;*.swc;*.fig|All Files (*.*)|*.*"_s;

auto snapshot(const OpenSave &o) {
    return std::tuple(o.CancelError(), o.DefaultExt(), o.DialogTitle(), o.FileName(), o.FileTitle(),
                      o.FilterIndex(), o.Filter(), o.Flags(), o.InitDir(), o.MaxFileSize(),
                      o.hWnd(), o.FileExt());
}

Error errorOf(OpenSave &o, bool save = false) try {
    save ? o.ShowSave() : o.ShowOpen();
    return Error(0, "", "");
} catch (const Error &e) {
    return e;
}

TEST(OpenSave, StartsWithTheDefaults) {
    // The folder this test program was built in, as the build names it.
    const QString folder = QDir::toNativeSeparators(QStringLiteral(TEST_PROGRAM_FOLDER));
    EXPECT_EQ(snapshot(OpenSave()),
              std::tuple(std::int16_t{0}, u""_s, u""_s, u""_s, u""_s, std::int16_t{1},
                         DefaultFilter, 0, folder, 260, 0, std::int16_t{0}));
}

TEST(OpenSave, FilterIsSetAndReadInTheUserForm) {
    const QString images = u"Images|*.gif;*.jpg;*.bmp"_s;
    const std::tuple<QString, QString, QString> rows[] = {
        // set, form handed over, read back
        // clang-format off
        {u""_s, u"\0\0"_s, u""_s}, {u"|"_s, u"\0\0"_s, u""_s}, {u"||"_s, u"\0\0"_s, u""_s},
        {u"|||"_s, u"\0\0\0"_s, u"|"_s}, {images, u"Images\0*.gif;*.jpg;*.bmp\0\0"_s, images},
        {DefaultFilter, u"SNES\0*.smc;*.swc;*.fig\0All Files (*.*)\0*.*\0\0"_s, DefaultFilter}};
    // clang-format on
    for (const auto &[set, handed, back] : rows) {
        OpenSave o;
        o.setFilter(set);
        EXPECT_EQ(std::pair(filterToDialogForm(set), o.Filter()), std::pair(handed, back));
    }
}

// The file name buffer holds 261 characters, and the record one NUL more behind them.
constexpr int NameRoom = 261, NameBytes = NameRoom + 1;
QString filled(const QString &name) {
    return name.leftJustified(NameRoom, QChar(0));
}

const QString Old = u"C:\\pictures\\old-sheet.bmp"_s, Full(NameRoom, u'x');
const QString Path = u"C:\\img\\a.gif"_s, Chosen = filled(Path);

struct CallRow {
    const char *name;
    bool save;
    QString fileName;
    std::int16_t cancelError;
    std::uint32_t answer; // 0: a cancel; else Path confirmed with this filter number
    int error;
    const char *source;
    const char *description;
    QString fileNameAfter; // empty: no property changes
    std::int16_t filterIndexAfter;
};

class Calls : public ::testing::TestWithParam<CallRow> {};

// One ShowOpen or ShowSave: what the dialog is handed, the error, and every property after it.
TEST_P(Calls, HandOverAndWriteBack) {
    const CallRow &row = GetParam();
    std::tuple<QByteArray, QByteArray, std::uint32_t, std::uint32_t> handed;
    const auto dialog = [&](OPENFILENAMEA *rec) {
        handed = {QByteArray(rec->lpstrFile, NameBytes), rec->lpstrFileTitle, rec->nMaxFile,
                  rec->nMaxFileTitle};
        rec->Flags = 0x80000, rec->nFilterIndex = row.answer;
        return row.answer ? answerWithPath(rec, Path.toLatin1()) : 0;
    };
    ScopedDialogFunctions scope(dialog, dialog);
    OpenSave o;
    o.setFileName(row.fileName), o.setCancelError(row.cancelError);
    o.setInitDir(u"C:\\img"_s), o.setDialogTitle(u" Pick "_s);
    const auto before = snapshot(o);
    const Error e = errorOf(o, row.save);
    EXPECT_EQ(std::tuple(e.number(), e.source(), e.description()),
              std::tuple(row.error, row.source, row.description));
    const QByteArray buffer = (row.fileName.toLatin1() + QByteArray(NameBytes, 0)).left(NameBytes);
    EXPECT_EQ(handed, row.error == 5 // raised before the dialog
                          ? decltype(handed){}
                          : std::tuple(buffer, QByteArray(260, ' '), 260u, 260u));
    EXPECT_EQ(snapshot(o),
              row.fileNameAfter.isEmpty()
                  ? before
                  : decltype(before)(row.cancelError, u""_s, u" Pick "_s, row.fileNameAfter,
                                     u"a.gif\0"_s, row.filterIndexAfter, DefaultFilter, 0x80000,
                                     u"C:\\img"_s, 260, 0, 9));
}

const char *const Mosaikon = "Mosaikon";
const char *const CancelSource = "Run-time error";
const char *const Cancel = "Cancel was selected";

// clang-format off
INSTANTIATE_TEST_SUITE_P(OpenSave, Calls, ::testing::Values(
    CallRow{"IntoAnEmptyName", false, u""_s, 0, 2, 0, "", "", Chosen, 2},
    CallRow{"OverALongerName", false, Old, 0, 2, 0, "", "",
            filled(Path + QChar(0) + Old.sliced(13)), 2},
    CallRow{"OverAFullBuffer", false, Full, 0, 2, 0, "", "", Path + QChar(0) + Full.sliced(13), 2},
    CallRow{"NameLongerThanTheBuffer", false, Full + u'x', 0, 2, 5, Mosaikon,
            "Invalid procedure call or argument", {}, 1},
    CallRow{"FilterNumberAllBitsSet", false, u""_s, 0, 0xFFFFFFFFu, 0, "", "", Chosen, -1},
    // The results in front of FilterIndex are written by then.
    CallRow{"FilterNumberOverflows", true, u""_s, 0, 32768, 6, Mosaikon, "Overflow",
            Chosen, 1},
    CallRow{"CancelledQuietly", false, Old, 0, 0, 0, "", "", {}, 1},
    CallRow{"CancelledWithCancelError", true, Old, 1, 0, 32755, CancelSource, Cancel,
            {}, 1},
    CallRow{"CancelledWithAnyNonZeroCancelError", false, Old, -1, 0, 32755,
            CancelSource, Cancel, {}, 1}),
    nameOf<CallRow>);
// clang-format on

struct WriteBackRow {
    const char *name;
    QString path; // confirmed
    QString defaultExt, initDir, fileTitle;
    QString defaultExtAfter, initDirAfter, fileTitleAfter;
    std::int16_t fileExtAfter;
};

class WriteBack : public ::testing::TestWithParam<WriteBackRow> {};

// A confirmed choice written as the system dialogs write it (answerWithPath): the name and its
// positions come back from the choice. (DefaultExt and InitDir over any texts: fuzz.opensave.)
TEST_P(WriteBack, OfAConfirmedChoice) {
    const WriteBackRow &row = GetParam();
    ScopedDialogFunctions scope(
        [&](OPENFILENAMEA *rec) { return answerWithPath(rec, toRecordText(row.path)); });
    OpenSave o;
    o.setDefaultExt(row.defaultExt), o.setInitDir(row.initDir), o.setFileTitle(row.fileTitle);
    o.setDialogTitle(u" Pick "_s);
    o.ShowOpen();
    EXPECT_EQ(std::tuple(o.DefaultExt(), o.InitDir(), o.FileTitle(), o.FileExt(), o.DialogTitle()),
              std::tuple(row.defaultExtAfter, row.initDirAfter, row.fileTitleAfter,
                         row.fileExtAfter, u" Pick "_s));
    EXPECT_EQ(o.FileName().section(QChar(0), 0, 0), row.path);
}

const QString Img = u"C:\\img"_s;

// clang-format off
INSTANTIATE_TEST_SUITE_P(OpenSave, WriteBack, ::testing::Values(
    WriteBackRow{"FileTitleKeepsTheTailOfTheOldOne", Path, u""_s, Img, u"old-title.bmp"_s,
                 u""_s, Img, u"a.gif\0tle.bmp"_s, 9},
    // Positions count characters of FileName, not bytes of the 8-bit path (9 here).
    WriteBackRow{"FileExtCountsCharacters", u"C:\\\u00dc\\\u00df.gif"_s, u""_s, Img, u""_s,
                 u""_s, Img, u"\u00df.gif\0"_s, 7},
    WriteBackRow{"FileExtZeroWithoutExtension", u"C:\\v1.2\\sheet"_s, u""_s, Img, u""_s,
                 u""_s, Img, u"sheet\0"_s, 0}),
    nameOf<WriteBackRow>);
// clang-format on

// The record's text is UTF-8: a new path that ends inside a wider character of the previous name
// must still leave FileName as long as the buffer, or the next ShowOpen would refuse it (error 5).
TEST(OpenSave, AChoiceOverAWiderPreviousNameKeepsTheBufferLength) {
    ScopedDialogFunctions scope(
        [](OPENFILENAMEA *rec) { return answerWithPath(rec, "C:\\img\\a.gif"); });
    OpenSave o;
    o.setFileName(u"C:\\img\\x"_s + QString(20, u'\u00E4'));
    o.ShowOpen();
    EXPECT_EQ(o.FileName().size(), NameRoom);
    EXPECT_EQ(errorOf(o).number(), 0);
}

} // namespace
} // namespace mosaikon
