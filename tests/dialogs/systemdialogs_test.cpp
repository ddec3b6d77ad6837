// OpenSave with the Qt dialog behind it, offscreen, answered by key clicks.

#include "dialogs/opensave.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace mosaikon {
namespace {

using namespace Qt::Literals::StringLiterals;

// Save or open, owned by the main window or not, the filter number, what is typed (Escape when
// nothing) and the file chosen.
TEST(SystemDialogs, AnswerOpenSave) {
    int argc = 1;
    char name[] = "test", *argv[] = {name};
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QFile(dir.filePath(u"sheet.gif"_s)).open(QIODevice::WriteOnly);
    QWidget mainWindow;
    mainWindow.show();
    const std::tuple<bool, bool, std::int16_t, QString, QString> rows[] = {
        {false, false, 1, u"sheet.gif"_s, u"sheet.gif"_s},
        {false, true, 2, {}, {}},
        {true, false, 2, u"new"_s, u"new.gif"_s}};
    for (const auto &[save, owned, index, typed, chosen] : rows) {
        OpenSave o;
        o.sethWnd(owned ? std::int32_t(mainWindow.winId()) : 0), o.setFilterIndex(index);
        o.setFilter(u"Images|*.gif;*.jpg|All|*.*"_s), o.setInitDir(dir.path());
        o.setDefaultExt(u"gif"_s);
        QTimer::singleShot(0, [&] {
            QFileDialog *d = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                d = d ? d : qobject_cast<QFileDialog *>(w);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(std::pair(d->nameFilters(), d->directory().path()),
                      std::pair(QStringList{u"Images (*.gif *.jpg)"_s, u"All (*)"_s}, dir.path()));
            // Without an owner no window is blocked: the main window stays usable.
            EXPECT_EQ(QApplication::activeModalWidget(), owned ? d : nullptr);
            auto *edit = d->findChild<QLineEdit *>(u"fileNameEdit"_s);
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, typed.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        save ? o.ShowSave() : o.ShowOpen();
        EXPECT_EQ(std::pair(o.FileName().section(QChar(0), 0, 0), o.FilterIndex()),
                  std::pair(chosen.isEmpty() ? chosen : dir.filePath(chosen), index));
    }
}

} // namespace
} // namespace mosaikon
