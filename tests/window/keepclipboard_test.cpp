// What the program keeps for after its end, decided while its X connection is open: only the
// text of its last export, only while it still owns CLIPBOARD on the server, also when Qt has
// not yet seen another client take it. Runs on the xcb platform under tests/with-xvfb, without
// a clipboard manager.

#include "clipboard.h"
#include "form1.h"
#include "module1.h"

#include <QClipboard>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <X11/Xlib.h>

#include <unistd.h>

using namespace mosaikon;

class KeepClipboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    Display *display = nullptr; // a connection of the test's own, to see who owns CLIPBOARD
    // Processes started from here inherit this variable: a keeper is one of them.
    const QByteArray markerName = "MOSAIKON_KEEPCLIPBOARD_TEST",
                     markerValue = QByteArray::number(getpid());

    Window owner() const {
        return XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", 0));
    }
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
    void takeUnseen(QProcess &xclip) {
        QProcessEnvironment unmarked = QProcessEnvironment::systemEnvironment();
        unmarked.remove(QString::fromLatin1(markerName));
        xclip.setProcessEnvironment(unmarked);
        xclip.startCommand(QStringLiteral("xclip -quiet -selection clipboard"));
        QVERIFY(xclip.waitForStarted() && xclip.write("another program's text") > 0 &&
                xclip.waitForBytesWritten());
        xclip.closeWriteChannel();
        const Window program = owner();
        for (int i = 0; i < 2500 && owner() == program; ++i) QThread::msleep(2); // stops a hang
        QVERIFY(owner() != program && owner() != None);
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) QSKIP("needs xclip");
        QVERIFY(qputenv(markerName, markerValue));
        QVERIFY((display = XOpenDisplay(nullptr)) != nullptr);
        form = Module1::Main();
        QVERIFY(QTest::qWaitForWindowExposed(form->windowHandle()));
        keepClipboardAfterExit();
        QVERIFY2(keepers().isEmpty(), "kept without an export");
        form->SpritePicture1_DragDrop(9, QStringLiteral("Picture1"), 0, 0);
    }

    void cleanupTestCase() { XCloseDisplay(display); }

    void keepsOnlyTheExportItStillOwns_data() {
        QTest::addColumn<QString>("after"); // what happens between the export and the end
        QTest::addColumn<bool>("kept");
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("own other text") << "copied path" << false;
        QTest::newRow("taken, not yet seen") << "taken" << false;
    }
    void keepsOnlyTheExportItStillOwns() {
        QFETCH(QString, after);
        QFETCH(bool, kept);
        QTest::qWait(100); // the program knows the server's time again, and so around the export
        form->Command3_Click();
        QTest::qWait(100);
        QProcess other;
        if (after == QLatin1String("copied path"))
            QGuiApplication::clipboard()->setText(QStringLiteral("/home/user/sheet.gif"));
        if (after == QLatin1String("taken")) {
            takeUnseen(other);
            QVERIFY(QGuiApplication::clipboard()->ownsClipboard());
        }
        const Window before = owner();
        keepClipboardAfterExit();
        QCOMPARE(keepers().size(), kept ? 1 : 0); // what it serves: keepclipboard.sh
        if (!kept) {
            QCOMPARE(owner(), before);
            return;
        }
        takeUnseen(other); // the keeper gives way and ends
        for (int i = 0; i < 5000 && !keepers().isEmpty(); ++i) QThread::msleep(2);
        QVERIFY(keepers().isEmpty());
    }
};

QTEST_MAIN(KeepClipboardTest)
#include "keepclipboard_test.moc"
