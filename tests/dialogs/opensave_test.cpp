// OpenSave and the record it hands over, the user's answer scripted through the dialog seam.

#include "core/error.h"
#include "dialogs/dialogseam.h"
#include "dialogs/filterforms.h"
#include "dialogs/opensave.h"

#include <QFile>
#include <QFileInfo>

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
    const QString folder = QFileInfo(QFile::symLinkTarget(u"/proc/self/exe"_s)).absolutePath();
    EXPECT_EQ(snapshot(OpenSave()),
              std::tuple(std::int16_t{0}, u""_s, u""_s, u""_s, u""_s, std::int16_t{1},
                         DefaultFilter, 0, folder, std::int16_t{260}, 0, std::int16_t{0}));
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

// One call a row: save?, FileName, CancelError, the answer (0: cancel, else C:\img\a.gif
// confirmed with that filter number), the error, then FileName and FilterIndex if confirmed.
TEST(OpenSave, ShowsTheDialogAndWritesBackTheChoice) {
    const QString x(261, u'x'), old = u"C:\\pictures\\old-sheet.bmp"_s, path = u"C:\\img\\a.gif"_s;
    const QString chosen = path + QString(249, QChar(0));
    // clang-format off
    const std::tuple<bool, QString, std::int16_t, std::uint32_t, int, QString, std::int16_t> rows[] = {
        {false, u""_s, 0, 2, 0, chosen, 2},
        {false, old, 0, 2, 0, path + QChar(0) + old.sliced(13) + QString(236, QChar(0)), 2},
        {false, x, 0, 2, 0, path + QChar(0) + x.sliced(13), 2},
        {false, x + u'x', 0, 2, InvalidProcedureCall, {}, 1},
        {false, u""_s, 0, 0xFFFFFFFFu, 0, chosen, -1},
        {true, u""_s, 0, 32768, Overflow, chosen, 1}, // the other results written by then
        {false, old, 0, 0, 0, {}, 1},
        {true, old, 1, 0, CancelWasSelected, {}, 1},
        {false, old, -1, 0, CancelWasSelected, {}, 1}};
    // clang-format on
    for (const auto &[save, name, cancelError, answer, error, after, indexAfter] : rows) {
        std::tuple<QByteArray, QByteArray, std::uint32_t, std::uint32_t> handed;
        const auto dialog = [&](OPENFILENAMEA *rec) {
            handed = {QByteArray(rec->lpstrFile, 262), rec->lpstrFileTitle, rec->nMaxFile,
                      rec->nMaxFileTitle};
            rec->Flags = 0x80000, rec->nFilterIndex = answer;
            return answer ? answerWithPath(rec, path.toLatin1()) : 0;
        };
        ScopedDialogFunctions scope(dialog, dialog);
        OpenSave o;
        o.setFileName(name), o.setCancelError(cancelError);
        o.setInitDir(u"C:\\img"_s), o.setDialogTitle(u" Pick "_s);
        const auto before = snapshot(o);
        const Error e = errorOf(o, save);
        EXPECT_EQ(e.number(), error);
        EXPECT_EQ(e.source() + e.description(), error == CancelWasSelected
                                                    ? "Run-time errorCancel was selected"
                                                    : e.source() + e.description());
        const QByteArray buffer = (name.toLatin1() + QByteArray(262, 0)).left(262);
        EXPECT_EQ(handed, error == InvalidProcedureCall // raised before the dialog
                              ? decltype(handed){}
                              : std::tuple(buffer, QByteArray(260, ' '), 260u, 260u));
        EXPECT_EQ(snapshot(o), after.isEmpty()
                                   ? before
                                   : decltype(before)(cancelError, u""_s, u" Pick "_s, after,
                                                      u"a.gif\0"_s, indexAfter, DefaultFilter,
                                                      0x80000, u"C:\\img"_s, 260, 0, 9));
    }
}

// The record's text is UTF-8: a new path that ends inside a wider character of the previous name
// must still leave FileName as long as the buffer, or the next ShowOpen would refuse it (error 5).
TEST(OpenSave, AChoiceOverAWiderPreviousNameKeepsTheBufferLength) {
    ScopedDialogFunctions scope(
        [](OPENFILENAMEA *rec) { return answerWithPath(rec, "C:\\img\\a.gif"); });
    OpenSave o;
    o.setFileName(u"C:\\img\\x"_s + QString(20, u'\u00E4'));
    o.ShowOpen();
    EXPECT_EQ(o.FileName().size(), 261);
    EXPECT_EQ(errorOf(o).number(), 0);
}

} // namespace
} // namespace mosaikon
