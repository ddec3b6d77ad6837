// The Qt file dialog behind GetOpenFileNameA / GetSaveFileNameA, shown offscreen and answered by
// key clicks into its file name field.

#include "dialogs/dialogrecord.h"
#include "dialogs/filterforms.h"
#include "dialogs/namefilters.h"
#include "dialogs/opensave.h"
#include "qstringprinting.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace mosaikon {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(NameFilters, PairsBecomeQtNameFilters) {
    struct Case {
        const char *list;
        QStringList filters;
    };
    for (const Case &c : {Case{"Images\0*.gif;*.jpg;*.bmp\0\0", {u"Images (*.gif *.jpg *.bmp)"_s}},
                          {"SNES\0*.smc;*.swc;*.fig\0All Files (*.*)\0*.*\0\0",
                           {u"SNES (*.smc *.swc *.fig)"_s, u"All Files (*.*) (*)"_s}},
                          {"A\0 *.a ; ;*.b\0Lone\0\0", {u"A (*.a *.b)"_s}},
                          {"Empty\0;\0\0", {u"Empty (*)"_s}},
                          {"\0\0", {}},
                          {nullptr, {}}})
        EXPECT_EQ(nameFiltersFromList(c.list), c.filters) << c.filters.join(u',').toStdString();
}

TEST(OpenSave, StartsInTheApplicationsFolder) {
    EXPECT_EQ(OpenSave().InitDir(), QCoreApplication::applicationDirPath());
}

// Once the dialog shows, hands it to `look` and answers: `typed` and Return, or Escape when
// `typed` is empty.
void answerWhenShown(const QString &typed, std::function<void(QFileDialog *)> look) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        QFileDialog *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == u"fileDialog"_s)
                dialog = qobject_cast<QFileDialog *>(w);
        if (dialog == nullptr) return;
        poll->deleteLater();
        look(dialog);
        auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, typed.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
    });
    poll->start(10);
}

TEST(SystemDialogs, AnswerTheRecordLikeThePlatformDialogs) {
    struct Case {
        bool save, owned;
        std::int16_t filterIndex, maxFileSize;
        QString title, defaultExt, typed;
        QString windowTitle, shownFilter;
        int result;
        QString chosen;
        std::uint32_t filterAfter;
    };
    const QString images = u"Images"_s, all = u"All"_s; // shown without their patterns
    QTemporaryDir dir;
    for (const char *name : {"sheet.gif", "other.bmp"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QWidget mainWindow;
    mainWindow.show();
    const QString sheet = u"sheet.gif"_s, other = u"other.bmp"_s, open = u"Open"_s;
    for (const Case &c :
         {Case{false, false, 1, 260, u"Pick"_s, {}, sheet, u"Pick"_s, images, 1, sheet, 1},
          {false, true, 2, 260, {}, {}, other, open, all, 1, other, 2},
          {false, false, 7, 260, {}, {}, {}, open, images, 0, {}, 7},
          {true, false, 1, 260, {}, u"gif"_s, u"new"_s, u"Save As"_s, images, 1, u"new.gif"_s, 1},
          {false, false, 1, 10, {}, {}, sheet, open, images, 0, {}, 1}}) {
        DialogRecord record({.owner = c.owned ? static_cast<std::int32_t>(mainWindow.winId()) : 0,
                             .filter = filterToDialogForm(u"Images|*.gif;*.jpg|All|*.*"_s),
                             .filterIndex = c.filterIndex,
                             .maxFileSize = c.maxFileSize,
                             .initDir = dir.path(),
                             .title = c.title,
                             .defaultExt = c.defaultExt});
        answerWhenShown(c.typed, [&](QFileDialog *d) {
            EXPECT_EQ(std::tuple(d->windowTitle(), d->selectedNameFilter(), d->directory().path()),
                      std::tuple(c.windowTitle, c.shownFilter, dir.path()));
            EXPECT_EQ(d->parentWidget(), c.owned ? &mainWindow : nullptr);
            EXPECT_EQ(d->windowModality(), c.owned ? Qt::WindowModal : Qt::NonModal);
            EXPECT_EQ(QApplication::activeModalWidget(), c.owned ? d : nullptr);
        });
        OPENFILENAMEA *rec = record.record();
        EXPECT_EQ((c.save ? GetSaveFileNameA : GetOpenFileNameA)(rec), c.result);
        const QString path = c.chosen.isEmpty() ? QString() : dir.filePath(c.chosen);
        EXPECT_EQ(std::tuple(QString::fromUtf8(rec->lpstrFile), rec->nFilterIndex),
                  std::tuple(path, c.filterAfter));
        EXPECT_EQ(QString::fromUtf8(rec->lpstrFileTitle).trimmed(), c.chosen);
    }
}

} // namespace
} // namespace mosaikon

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
