// The window in-process on xcb under tests/with-xvfb (a private X server, no clipboard manager):
// - drops Qt routes during a real drag: each goes to the widget under the point, which takes or
//   refuses it as it enters; a drag from this program may carry other data (the file dialog's
//   files), so the data decides too;
// - what the program keeps for after its end: only its last export, only while it still owns
//   CLIPBOARD, also when Qt has not yet seen another client take it (realwindow.sh: the rest);
// - the export while another client holds CLIPBOARD, taken after the program's last X event: the
//   program asks with a server time older than that client's, so the server ignores it; the
//   export must report 521, change nothing and leave the text, and work once caught up.

#include "clipboard.h"
#include "controldrag.h"
#include "windowdriver.h"
#include "xclipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <unistd.h>

using namespace mosaikon;
using namespace mosaikon::testing;

class XcbTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    XClipboard clipboard;
    QProcess xclip;
    // Processes started from here inherit this variable: a keeper is one of them.
    const QByteArray markerName = "MOSAIKON_KEEPCLIPBOARD_TEST",
                     markerValue = QByteArray::number(getpid());

    // The other processes that carry the marker.
    QStringList keepers() const {
        QStringList found;
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile variables(QStringLiteral("/proc/%1/environ").arg(pid));
            if (pid.toInt() == getpid() || !variables.open(QIODevice::ReadOnly)) continue;
            if (variables.readAll().split('\0').contains(markerName + '=' + markerValue))
                found << pid;
        }
        return found;
    }
    // Another client takes the clipboard while the program handles no event, so Qt still
    // believes it owns it.
    void takeUnseen(QProcess &other) {
        QProcessEnvironment unmarked = QProcessEnvironment::systemEnvironment();
        unmarked.remove(QString::fromLatin1(markerName));
        other.setProcessEnvironment(unmarked);
        QVERIFY(clipboard.takeUnseen(other, "another program's text"));
    }
    int exportReport() {
        return reportedError([&] { QTest::mouseClick(form->Command3, Qt::LeftButton); });
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty(), "no xclip");
        QVERIFY(qputenv(markerName, markerValue));
        QVERIFY(clipboard.isOpen());
    }

    void drops_data() {
        // What the drag carries (a control's name, or text), the window point it is released at;
        // whether it was taken, slot 27's Tag and the origin after.
        QTest::addColumn<QString>("carries");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("expected");
        const std::tuple<const char *, const char *, QPointF, const char *> rows[] = {
            {"tile, slot's middle", "Picture1", {488, 224}, "taken 38 @0"},
            {"tile, slot's top-left", "Picture1", {456, 192}, "taken 38 @0"},
            {"tile, slot's bottom-right", "Picture1", {519, 255}, "taken 38 @0"},
            {"tile, slot's left edge", "Picture1", {456.4, 253.5}, "taken 38 @0"},
            {"origin on a slot", OriginButtonName, {461, 252}, "taken  @27"},
            {"text from this program", "text", {488, 224}, "refused  @0"},
            {"origin on Load Image", OriginButtonName, {9, 265}, "refused  @0"},
            {"origin on the export", OriginButtonName, {9, 321}, "refused  @0"},
            {"origin on a box", OriginButtonName, {17, 377}, "refused  @0"},
            {"origin on the other box", OriginButtonName, {17, 425}, "refused  @0"},
            {"origin on the source view", OriginButtonName, {9, 9}, "refused  @0"},
            {"origin on the window", OriginButtonName, {220, 470}, "refused  @0"},
            {"origin on itself", OriginButtonName, {169, 377}, "refused  @0"}};
        for (const auto &[row, carries, at, expected] : rows)
            QTest::newRow(row) << carries << at << expected;
    }
    void drops() {
        QFETCH(QString, carries);
        QFETCH(QPointF, at);
        QFETCH(QString, expected);
        form = startWindow();
        QWindow *win = form->windowHandle();
        QMimeData data;
        data.setData(carries == "text" ? "text/plain" : controlMimeType(), carries.toLatin1());
        QString taken;
        QTest::mouseMove(win, {100, 40});
        QTimer::singleShot(0, [&] { // in the drag's own event loop: Qt names the drag's source
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
                QApplication::sendEvent(win, e);
            taken = drop.isAccepted() ? "taken " : "refused ";
            QDrag::cancel();
        });
        QTest::mousePress(win, Qt::LeftButton, {}, {100, 40});
        QTest::mouseRelease(win, Qt::LeftButton, {}, {100, 40});
        const int origin = form->grid.OriginRow * 8 + form->grid.OriginCol;
        QCOMPARE(taken + QString::fromStdString(form->grid.slots[27].Tag) + " @" +
                     QString::number(origin),
                 expected);
    }

    void keepsOnlyTheExportItStillOwns_data() {
        QTest::addColumn<QString>("after"); // what happens between the export and the end
        QTest::addColumn<bool>("kept");
        QTest::newRow("no export") << "none" << false;
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("own other text") << "copied path" << false;
        QTest::newRow("taken, not yet seen") << "taken" << false;
    }
    void keepsOnlyTheExportItStillOwns() {
        QFETCH(QString, after);
        QFETCH(bool, kept);
        form = startWindow();
        form->SpritePicture1_DragDrop(9, QStringLiteral("Picture1"), 0, 0);
        QTest::qWait(100); // the program knows the server's time again, and so around the export
        if (after != QLatin1String("none")) form->Command3_Click();
        QTest::qWait(100);
        QProcess other;
        if (after == QLatin1String("copied path"))
            QGuiApplication::clipboard()->setText(QStringLiteral("/home/user/sheet.gif"));
        if (after == QLatin1String("taken")) {
            takeUnseen(other);
            QVERIFY(QGuiApplication::clipboard()->ownsClipboard());
        }
        const unsigned long before = clipboard.owner();
        keepClipboardAfterExit();
        QCOMPARE(keepers().size(), kept ? 1 : 0);
        if (!kept) {
            QCOMPARE(clipboard.owner(), before);
            return;
        }
        takeUnseen(other); // the keeper gives way and ends
        for (int i = 0; i < 5000 && !keepers().isEmpty(); ++i) QThread::msleep(2);
        QVERIFY(keepers().isEmpty());
    }

    void exportFailsWhileAnotherClientHoldsTheClipboard() {
        form = startWindow(); // something to export: a flipped tile, the origin elsewhere
        form->SpritePicture1_DragDrop(0, QStringLiteral("Picture1"), 0, 0);
        form->SpritePicture1_Click(0);
        form->SpritePicture1_DragDrop(9, QString::fromLatin1(OriginButtonName), 0, 0);
        QCOMPARE(exportReport(), 0);
        QTest::qWait(100); // the program handles what the server sent: it knows its time again
        const unsigned long program = clipboard.owner();
        QVERIFY(program != 0);
        QVERIFY(clipboard.takeUnseen(xclip, "another program's text"));
        const SlotGrid before = form->grid;
        QCOMPARE(exportReport(), 521);
        QVERIFY(form->grid == before);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("another program's text"));
        QTest::qWait(100); // a later export works
        QCOMPARE(exportReport(), 0);
        QTest::qWait(100);
        QCOMPARE(clipboard.owner(), program);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "DC.w $0001\r\nDC.b $F0,$81,$F0,$00,$61\r\n");
    }
};

QTEST_MAIN(XcbTest)
#include "xcb_test.moc"
