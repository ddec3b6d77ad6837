// OpenSave with the Qt dialog behind it, offscreen, answered by key clicks.

#include "imagefiles.h"
#include "openfilename.h"
#include "opensave.h"
#include "testrows.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace mosaikon {
namespace {

using namespace Qt::Literals::StringLiterals;

// Plays `user` on the file dialog once it shows; `user` ends by closing it. Should the dialog
// still be open after it, a failed check having cut it short, that fails the test and closes
// the dialog (a cancel), so the call under test ends instead of waiting for an answer.
void whenTheDialogShows(std::function<void(QFileDialog *)> user) {
    QTimer::singleShot(0, [user = std::move(user)] {
        QFileDialog *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QFileDialog *>(w); d != nullptr && d->isVisible())
                dialog = d;
        ASSERT_NE(dialog, nullptr) << "no file dialog shows";
        user(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the file dialog is still open";
            dialog->reject();
        }
    });
}

// Types `text` into the file name field one character at a time, any script included. The
// field has the focus, as it has for a user; without it the dialog takes every folder named on
// the way as one more selected file.
QLineEdit *type(QFileDialog *dialog, const QString &text) {
    auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    edit->setFocus();
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, c, {});
    return edit;
}

// An existing file under `root` whose path takes exactly `bytes` bytes of UTF-8: folders of 30
// `letter`s, then a name of 'x's ending in ".gif".
QString fileAtPathOf(const QString &root, QChar letter, qsizetype bytes) {
    QString path = root;
    const auto left = [&] { return bytes - path.toUtf8().size(); };
    while (left() > 100) path += u'/' + QString(30, letter);
    QDir().mkpath(path);
    path += u'/' + QString(left() - 5, u'x') + u".gif"_s;
    return testing::writeFile(path, {}) ? path : QString();
}

struct AnswerRow {
    const char *name;
    bool save;
    bool owned; // by a main window, which the dialog then blocks
    std::int16_t filterIndex;
    QString typed;  // into the start folder, then Return; nothing typed: Escape
    QString chosen; // what comes back, in the start folder; empty: nothing
    QChar letter{}; // with bytes, typed instead: the path of a file that many bytes long
    qsizetype bytes = 0;
};

class Answers : public ::testing::TestWithParam<AnswerRow> {};

// What the user types comes back through OpenSave, or nothing does. A path over the 259 bytes
// that the default MaxFileSize leaves is refused while the dialog stays open and says why; the
// user then cancels. A path that just fits comes back whole, positions counted in characters.
TEST_P(Answers, ComeBackThroughOpenSave) {
    const AnswerRow &row = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(testing::writeFile(dir.filePath(u"sheet.gif"_s), {}));
    const QString typed =
        row.bytes > 0 ? fileAtPathOf(dir.path(), row.letter, row.bytes) : row.typed;
    ASSERT_EQ(row.bytes > 0 ? typed.toUtf8().size() : 0, row.bytes);
    QString chosen = row.chosen.isEmpty() ? row.chosen : dir.filePath(row.chosen);
    if (row.bytes > 0) chosen = row.bytes <= 259 ? typed : u""_s;
    QWidget mainWindow;
    mainWindow.show();
    OpenSave o;
    o.sethWnd(row.owned ? std::int32_t(mainWindow.winId()) : 0), o.setFilterIndex(row.filterIndex);
    o.setFilter(u"Images|*.gif;*.jpg|All|*.*"_s), o.setInitDir(dir.path());
    o.setDefaultExt(u"gif"_s), o.setFileTitle(u"before"_s);
    whenTheDialogShows([&](QFileDialog *d) {
        EXPECT_EQ(std::pair(d->nameFilters(), d->directory().path()),
                  std::pair(QStringList{u"Images (*.gif *.jpg)"_s, u"All (*)"_s}, dir.path()));
        EXPECT_EQ(QApplication::activeModalWidget(), row.owned ? d : nullptr);
        QTest::keyClick(type(d, typed), typed.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        if (row.bytes <= 259) return;
        QPointer box = d->findChild<QMessageBox *>(u"pathTooLong"_s);
        ASSERT_TRUE(box != nullptr && box->isVisible() && d->isVisible()) << "no refusal shows";
        EXPECT_TRUE(box->text().contains(
            u"too long for the program: it takes %1 bytes, and at most 259 fit."_s.arg(row.bytes)))
            << box->text().toStdString();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible() && (box.isNull() || !box->isVisible()));
        QTest::keyClick(d->findChild<QLineEdit *>(u"fileNameEdit"_s), Qt::Key_Escape);
    });
    row.save ? o.ShowSave() : o.ShowOpen();
    if (chosen.isEmpty())
        EXPECT_EQ(std::tuple(o.FileName(), o.FileTitle(), o.FilterIndex()),
                  std::tuple(u""_s, u"before"_s, row.filterIndex));
    else
        EXPECT_EQ(std::tuple(o.FileName().section(QChar(0), 0, 0), o.FileTitle(), o.FileExt(),
                             o.FilterIndex()),
                  std::tuple(chosen, chosen.section(u'/', -1) + QChar(0), chosen.size() - 3,
                             row.filterIndex));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(SystemDialogs, Answers, ::testing::Values(
    AnswerRow{"OpenConfirmed", false, false, 1, u"sheet.gif"_s, u"sheet.gif"_s},
    AnswerRow{"OpenOwnedCancelled", false, true, 2, {}, {}},
    AnswerRow{"SaveGetsTheDefaultSuffix", true, false, 2, u"new"_s, u"new.gif"_s},
    AnswerRow{"DeepFoldersJustFit", false, false, 1, {}, {}, u'd', 259},
    AnswerRow{"DeepFoldersOneByteOver", false, false, 1, {}, {}, u'd', 260},
    AnswerRow{"ThreeByteCharactersJustFit", false, false, 1, {}, {}, u'\u3042', 259},
    AnswerRow{"ThreeByteCharactersOver", false, true, 2, {}, {}, u'\u3042', 330},
    AnswerRow{"SaveOneByteOver", true, false, 1, {}, {}, u'd', 260}),
    nameOf<AnswerRow>);
// clang-format on

} // namespace
} // namespace mosaikon

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
