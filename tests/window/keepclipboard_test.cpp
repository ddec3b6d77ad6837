// What the program keeps for after its end, decided while its X connection is open: only the
// text of its last export, only while it still owns CLIPBOARD on the server, also when Qt has
// not yet seen another client take it. Runs on the xcb platform under tests/with-xvfb, without
// a clipboard manager.

#include "clipboard.h"
#include "windowdriver.h"
#include "xclipboard.h"

#include <QClipboard>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <unistd.h>

using namespace mosaikon;
using namespace mosaikon::testing;

class KeepClipboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    XClipboard clipboard;
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
    void takeUnseen(QProcess &xclip) {
        QProcessEnvironment unmarked = QProcessEnvironment::systemEnvironment();
        unmarked.remove(QString::fromLatin1(markerName));
        xclip.setProcessEnvironment(unmarked);
        QVERIFY(clipboard.takeUnseen(xclip, "another program's text"));
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) QSKIP("needs xclip");
        QVERIFY(qputenv(markerName, markerValue));
        QVERIFY(clipboard.isOpen());
        form = startWindow();
        keepClipboardAfterExit();
        QVERIFY2(keepers().isEmpty(), "kept without an export");
        form->SpritePicture1_DragDrop(9, QStringLiteral("Picture1"), 0, 0);
    }

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
        const unsigned long before = clipboard.owner();
        keepClipboardAfterExit();
        QCOMPARE(keepers().size(), kept ? 1 : 0); // what it serves: keepclipboard.sh
        if (!kept) {
            QCOMPARE(clipboard.owner(), before);
            return;
        }
        takeUnseen(other); // the keeper gives way and ends
        for (int i = 0; i < 5000 && !keepers().isEmpty(); ++i) QThread::msleep(2);
        QVERIFY(keepers().isEmpty());
    }
};

QTEST_MAIN(KeepClipboardTest)
#include "keepclipboard_test.moc"
