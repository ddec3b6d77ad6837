// OpenSave and the record it hands over, the user's answer scripted through the dialog seam.
// Every call over any properties and any dialog outcome, cancels and errors included, is the
// fuzz harness's (fuzz/opensave_fuzz.cpp), whose seeds replay the plain cases.

#include "dialogseam.h"
#include "openfilename.h"
#include "opensave.h"
#include "testrows.h"

#include <QDir>

#include <gtest/gtest.h>

#include <tuple>

namespace mosaikon {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(OpenSave, StartsWithTheDefaults) {
    // The folder this test program was built in, as the build names it.
    const QString folder = QDir::toNativeSeparators(QStringLiteral(TEST_PROGRAM_FOLDER));
    const OpenSave o;
    EXPECT_EQ(std::tuple(o.CancelError(), o.DefaultExt(), o.DialogTitle(), o.FileName(),
                         o.FileTitle(), o.FilterIndex(), o.Filter(), o.Flags(), o.InitDir(),
                         o.MaxFileSize(), o.hWnd(), o.FileExt()),
              std::tuple(std::int16_t{0}, u""_s, u""_s, u""_s, u""_s, std::int16_t{1},
                         u"SNES|*.smc;*.swc;*.fig|All Files (*.*)|*.*"_s, 0, folder, 260, 0,
                         std::int16_t{0}));
}

// A confirmed choice written as the system dialogs write it (answerWithPath): the name and its
// positions come back from the choice.
TEST(OpenSave, WritesBackAConfirmedChoice) {
    const std::tuple<QString, QString, QString, std::int16_t> rows[] = {
        // path confirmed, FileTitle before and after, FileExt after
        {u"C:\\img\\a.gif"_s, u"old-title.bmp"_s, u"a.gif\0tle.bmp"_s, 9}, // the old title's tail
        // Positions count characters of FileName, not bytes of the 8-bit path (9 here).
        {u"C:\\\u00dc\\\u00df.gif"_s, u""_s, u"\u00df.gif\0"_s, 7},
        {u"C:\\v1.2\\sheet"_s, u""_s, u"sheet\0"_s, 0}}; // no extension
    for (const auto &[path, title, titleAfter, fileExtAfter] : rows) {
        ScopedDialogFunctions scope(
            [p = toRecordText(path)](OPENFILENAMEA *rec) { return answerWithPath(rec, p); });
        OpenSave o;
        o.setFileTitle(title);
        o.ShowOpen();
        EXPECT_EQ(std::tuple(o.FileName().section(QChar(0), 0, 0), o.FileTitle(), o.FileExt()),
                  std::tuple(path, titleAfter, fileExtAfter));
    }
}

} // namespace
} // namespace mosaikon
