// OpenSave and the record it hands over, with the user's answer scripted through the dialog
// seam. No QCoreApplication here: InitDir comes from the running image's link.

#include "core/error.h"
#include "dialogs/dialogseam.h"
#include "dialogs/filterforms.h"
#include "dialogs/opensave.h"
#include "qstringprinting.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <tuple>

namespace mosaikon {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString DefaultFilter = u"SNES|*.smc;*.swc;*.fig|All Files (*.*)|*.*"_s;

QString nuls(qsizetype n) {
    return QString(n, QChar(0));
}

auto snapshot(const OpenSave &o) {
    return std::tuple(o.CancelError(), o.DefaultExt(), o.DialogTitle(), o.FileName(), o.FileTitle(),
                      o.FilterIndex(), o.Filter(), o.Flags(), o.InitDir(), o.MaxFileSize(),
                      o.hWnd(), o.FileExt());
}

// Cancels every dialog, keeping a copy of the record and of its texts as they were handed over.
struct Recorder {
    qsizetype fileBytes = 262; // the file name buffer with the NUL behind it
    OPENFILENAMEA seen{};
    QByteArrayList texts{}; // filter, file name, title, initial folder, dialog title, ext, template
    int operator()(OPENFILENAMEA *rec) {
        seen = *rec;
        texts = {QByteArray(rec->lpstrFilter, 45),
                 QByteArray(rec->lpstrFile, fileBytes),
                 rec->lpstrFileTitle,
                 rec->lpstrInitialDir,
                 rec->lpstrTitle,
                 rec->lpstrDefExt,
                 rec->lpTemplateName};
        return 0;
    }
};

Error errorOf(auto &&call) {
    try {
        call();
    } catch (const Error &e) {
        return e;
    }
    return Error(0, "", "no error");
}

TEST(FilterForms, ConvertBothWays) {
    struct Case {
        QString user, dialog, back;
    };
    for (const Case &c :
         {Case{u"Images|*.gif;*.jpg;*.bmp"_s, u"Images\0*.gif;*.jpg;*.bmp\0\0"_s,
               u"Images|*.gif;*.jpg;*.bmp"_s},
          {DefaultFilter, u"SNES\0*.smc;*.swc;*.fig\0All Files (*.*)\0*.*\0\0"_s, DefaultFilter},
          {u""_s, nuls(2), u""_s},
          {u"|"_s, nuls(2), u""_s},
          {u"||"_s, nuls(2), u""_s},
          {u"|||"_s, nuls(3), u"|"_s},
          {u"a|b|"_s, u"a\0b\0\0"_s, u"a|b"_s}}) {
        EXPECT_EQ(filterToDialogForm(c.user), c.dialog) << c.user.toStdString();
        EXPECT_EQ(filterToUserForm(c.dialog), c.back) << c.user.toStdString();
        OpenSave o;
        o.setFilter(c.user);
        EXPECT_EQ(o.Filter(), c.back);
    }
}

TEST(OpenSave, StartsWithTheDefaults) {
    OpenSave o;
    const QString folder = QFileInfo(QFile::symLinkTarget(u"/proc/self/exe"_s)).absolutePath();
    EXPECT_EQ(snapshot(o),
              std::tuple(std::int16_t{0}, u""_s, u""_s, u""_s, u""_s, std::int16_t{1},
                         DefaultFilter, 0, folder, std::int16_t{260}, 0, std::int16_t{0}));
}

TEST(OpenSave, HandsOverTheRecordInItsOrder) {
    Recorder open;
    ScopedDialogFunctions scope(std::ref(open));
    OpenSave o;
    o.ShowOpen();
    const OPENFILENAMEA &r = open.seen;
    EXPECT_EQ(std::tuple(r.lStructSize, r.hwndOwner, r.hInstance, r.lpstrCustomFilter,
                         r.nMaxCustFilter, r.nFilterIndex, r.nMaxFile, r.nMaxFileTitle, r.Flags),
              std::tuple(76u, nullptr, nullptr, nullptr, 0u, 1u, 260u, 260u, 0u));
    EXPECT_EQ(std::tuple(r.nFileOffset, r.nFileExtension, r.lCustData), std::tuple(0, 0, 0));
    EXPECT_EQ(r.lpfnHook, nullptr);
    const QByteArray filter("SNES\0*.smc;*.swc;*.fig\0All Files (*.*)\0*.*\0\0", 45);
    EXPECT_EQ(open.texts, QByteArrayList({filter, QByteArray(262, '\0'), QByteArray(260, ' '),
                                          o.InitDir().toUtf8(), "", "", "0"}));

    o.sethWnd(-1), o.setFilterIndex(-1), o.setFileTitle(u"a.gif"_s);
    o.ShowOpen();
    EXPECT_EQ(r.hwndOwner, reinterpret_cast<void *>(std::intptr_t{-1}));
    EXPECT_EQ(r.nFilterIndex, 0xFFFFFFFFu);
    EXPECT_EQ(open.texts[2], "a.gif" + QByteArray(256, ' '));
}

TEST(OpenSave, FileNameBufferHoldsMaxFileSizePlusOneCharacters) {
    struct Case {
        QString fileName;
        std::int16_t maxFileSize;
        int error;
        std::uint32_t nMaxFile;
        QByteArray buffer; // with the NUL behind it
    };
    const QString full(261, u'x');
    for (const Case &c : {Case{u""_s, 260, 0, 260, QByteArray(262, '\0')},
                          {full, 260, 0, 260, full.toLatin1() + '\0'},
                          {full + u'x', 260, InvalidProcedureCall, 0, {}},
                          {u"\u00e9"_s, 3, 0, 3, "\xc3\xa9" + QByteArray(4, '\0')},
                          {u""_s, 0, 0, 0, QByteArray(2, '\0')},
                          {u""_s, -1, 0, 0, QByteArray(1, '\0')},
                          {u"x"_s, -1, InvalidProcedureCall, 0, {}},
                          {u""_s, -32768, InvalidProcedureCall, 0, {}}}) {
        Recorder open{.fileBytes = c.buffer.size()};
        ScopedDialogFunctions scope(std::ref(open));
        OpenSave o;
        o.setFileName(c.fileName), o.setMaxFileSize(c.maxFileSize);
        EXPECT_EQ(errorOf([&] { o.ShowOpen(); }).number(), c.error) << c.maxFileSize;
        EXPECT_EQ(open.texts.value(1), c.buffer); // not even called after an error
        EXPECT_EQ(open.seen.nMaxFile, c.nMaxFile);
    }
}

TEST(OpenSave, ConfirmedChoiceWritesBackWholeBuffers) {
    struct Case {
        QString fileName, fileTitle, initDir, fileNameAfter, fileTitleAfter, initDirAfter;
    };
    const QString oldPath = u"C:\\pictures\\old-sheet.bmp"_s;
    for (const Case &c :
         {Case{u""_s, u""_s, u"C:\\img"_s, u"C:\\img\\a.gif"_s + nuls(249), u"a.gif\0"_s,
               u"C:\\img"_s},
          {oldPath, u"old.bmp"_s, u"  C:\\img "_s,
           u"C:\\img\\a.gif\0"_s + oldPath.sliced(13) + nuls(236), u"a.gif\0p"_s, u"C:\\img"_s}}) {
        ScopedDialogFunctions scope([](OPENFILENAMEA *rec) {
            rec->Flags = 0x80000, rec->nFilterIndex = 2;
            return answerWithPath(rec, "C:\\img\\a.gif");
        });
        OpenSave o;
        o.setFileName(c.fileName), o.setFileTitle(c.fileTitle), o.setInitDir(c.initDir);
        o.setDialogTitle(u" Pick "_s), o.setDefaultExt(u" gif "_s), o.setFilter(u" I|*.gif "_s);
        o.ShowOpen();
        EXPECT_EQ(o.FileName(), c.fileNameAfter);
        EXPECT_EQ(o.FileName().size(), 261);
        EXPECT_EQ(o.FileTitle(), c.fileTitleAfter);
        EXPECT_EQ(o.InitDir(), c.initDirAfter);
        EXPECT_EQ(std::tuple(o.FileExt(), o.FilterIndex(), o.Flags(), o.MaxFileSize()),
                  std::tuple(9, 2, 0x80000, 260));
        EXPECT_EQ(std::tuple(o.DialogTitle(), o.DefaultExt(), o.Filter()),
                  std::tuple(u" Pick "_s, u" gif "_s, u"I|*.gif "_s));
    }
}

// Characters of two bytes at the 8-bit boundary: a path written over half of one leaves the other
// half in the buffer, and the text must still come back MaxFileSize + 1 characters long, so that
// the same object can show it again as the start name.
TEST(OpenSave, ConfirmedChoiceKeepsTheBufferLengthInCharacters) {
    struct Case {
        QString fileName;
        QByteArray path;
        QString fileNameAfter;
    };
    for (const Case &c : {Case{u""_s, "/bilder/\xc3\xbc.gif", u"/bilder/\u00fc.gif"_s + nuls(248)},
                          {u"/bilder/\u00fc/\u00fc.gif"_s, "/x/a.gif",
                           u"/x/a.gif\0\ufffd/\u00fc.gif"_s + nuls(245)}}) {
        ScopedDialogFunctions scope(
            [&](OPENFILENAMEA *rec) { return answerWithPath(rec, c.path); });
        OpenSave o;
        o.setFileName(c.fileName);
        o.ShowOpen();
        EXPECT_EQ(o.FileName(), c.fileNameAfter);
        EXPECT_EQ(errorOf([&] { o.ShowOpen(); }).number(), 0);
        EXPECT_EQ(o.FileName().size(), 261);
    }
}

TEST(OpenSave, CancelChangesNothingAndRaisesOnlyWhenAsked) {
    struct Case {
        std::int16_t cancelError;
        int result;
        Error error;
    };
    const Error none(0, "", "no error"), cancel(32755, "Run-time error", "Cancel was selected");
    for (const Case &c : {Case{0, 0, none}, {1, 0, cancel}, {-1, -5, cancel}}) {
        ScopedDialogFunctions scope({}, [&](OPENFILENAMEA *rec) {
            answerWithPath(rec, "C:\\img\\a.gif");
            return c.result;
        });
        OpenSave o;
        o.setCancelError(c.cancelError), o.setFileName(u"start"_s);
        const auto before = snapshot(o);
        const Error e = errorOf([&] { o.ShowSave(); });
        EXPECT_EQ(std::tuple(e.number(), e.source(), e.description()),
                  std::tuple(c.error.number(), c.error.source(), c.error.description()));
        EXPECT_EQ(snapshot(o), before);
    }
}

TEST(OpenSave, FilterIndexOutside16BitsOverflowsAfterTheEarlierWriteBacks) {
    struct Case {
        std::uint32_t nFilterIndex;
        int error;
        std::int16_t filterIndex;
    };
    for (const Case c : {Case{32767, 0, 32767},
                         {0xFFFF8000u, 0, -32768},
                         {0xFFFFFFFFu, 0, -1},
                         {32768, Overflow, 1},
                         {40000, Overflow, 1},
                         {0xFFFF7FFFu, Overflow, 1}}) {
        ScopedDialogFunctions scope([&](OPENFILENAMEA *rec) {
            rec->Flags = 4, rec->nFilterIndex = c.nFilterIndex;
            return answerWithPath(rec, "/img/a.gif");
        });
        OpenSave o;
        EXPECT_EQ(errorOf([&] { o.ShowOpen(); }).number(), c.error);
        EXPECT_EQ(std::tuple(o.FilterIndex(), o.Flags(), o.FileExt(), o.FileTitle()),
                  std::tuple(c.filterIndex, 4, 7, u"a.gif\0"_s));
        EXPECT_TRUE(o.FileName().startsWith(u"/img/a.gif\0"_s));
    }
}

TEST(DialogSeam, ScopesReplaceAndRestoreEachKind) {
    QByteArray calls;
    ScopedDialogFunctions outer([&](OPENFILENAMEA *) { return calls += 'o', 0; },
                                [&](OPENFILENAMEA *) { return calls += 's', 0; });
    {
        ScopedDialogFunctions inner([&](OPENFILENAMEA *) { return calls += 'O', 0; });
        OpenSave o;
        o.ShowOpen(), o.ShowSave();
    }
    OpenSave o;
    o.ShowOpen(), o.ShowSave();
    EXPECT_EQ(calls, "Osos");
}

TEST(DialogSeam, AnswerWithPathWritesLikeTheDialog) {
    struct Case {
        QByteArray path;
        std::uint32_t nMaxFile, nMaxFileTitle;
        int result;
        QByteArray file, title;
        std::uint16_t offset, extension;
    };
    for (const Case &c : {Case{"C:\\img\\a.gif", 260, 260, 1, "C:\\img\\a.gif", "a.gif", 7, 9},
                          {"/x.d/name", 260, 260, 1, "/x.d/name", "name", 5, 0},
                          {"/tmp/a.", 260, 260, 1, "/tmp/a.", "a.", 5, 0},
                          {"/tmp/.rc", 260, 260, 1, "/tmp/.rc", ".rc", 5, 6},
                          {"/a/sheet.gif", 13, 3, 1, "/a/sheet.gif", "sh", 3, 9},
                          {"/a/\xc3\xa9.gif", 260, 2, 1, "/a/\xc3\xa9.gif", "", 3, 6},
                          {"/a/sheet.gif", 12, 260, 0, "", "", 0, 0}}) {
        QByteArray file(300, '#'), title(300, '#');
        OPENFILENAMEA rec{};
        rec.lpstrFile = file.data(), rec.nMaxFile = c.nMaxFile;
        rec.lpstrFileTitle = title.data(), rec.nMaxFileTitle = c.nMaxFileTitle;
        EXPECT_EQ(answerWithPath(&rec, c.path), c.result) << c.path.toStdString();
        const QByteArray written = c.result ? c.file + '\0' : QByteArray();
        EXPECT_EQ(file, written + QByteArray(300 - written.size(), '#'));
        EXPECT_EQ(title.left(title.indexOf('#')), c.result ? c.title + '\0' : QByteArray());
        EXPECT_EQ(std::tuple(rec.nFileOffset, rec.nFileExtension),
                  std::tuple(c.offset, c.extension));
    }
}

} // namespace
} // namespace mosaikon
