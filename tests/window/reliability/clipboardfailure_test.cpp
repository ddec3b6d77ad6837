// The export while another X client (xclip) holds CLIPBOARD, taken after the program's last X
// event: the program asks with the last server time it knows, older than the other client's, so
// the server ignores it. The export must report 521, change nothing and leave the other client
// its text; once caught up with the server, it works again. Runs under tests/with-xvfb.

#include "reliability.h"

#include <X11/Xlib.h>

using namespace mosaikon;
using namespace mosaikon::testing;

class ClipboardFailureTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    Display *display = nullptr; // a connection of the test's own, to see who owns CLIPBOARD
    Window program = None;      // the program's window that owns it after an export
    QProcess xclip;

    Window owner() const {
        return XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", 0));
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) QSKIP("needs xclip");
        QVERIFY((display = XOpenDisplay(nullptr)) != nullptr);
        form = startWindow(); // something to export: a flipped tile, the origin elsewhere
        form->SpritePicture1_DragDrop(0, QStringLiteral("Picture1"), 0, 0);
        form->SpritePicture1_Click(0);
        form->SpritePicture1_DragDrop(9, QStringLiteral("Command4"), 0, 0);
        QCOMPARE(reportedError([&] { QTest::mouseClick(form->Command3, Qt::LeftButton); }), 0);
        QTest::qWait(100); // the program handles what the server sent: it knows its time again
        QVERIFY((program = owner()) != None);
    }

    void cleanupTestCase() { XCloseDisplay(display); }

    void exportFailsWhileAnotherClientHoldsTheClipboard() {
        // Started and fed without an event loop, so that the program sees no event meanwhile.
        xclip.startCommand(QStringLiteral("xclip -quiet -selection clipboard"));
        QVERIFY(xclip.waitForStarted() && xclip.write("another program's text") > 0 &&
                xclip.waitForBytesWritten());
        xclip.closeWriteChannel();
        for (int i = 0; i < 2500 && (owner() == program || owner() == None); ++i)
            QThread::msleep(2); // the bound only stops a hang
        QVERIFY(owner() != program && owner() != None);
        const SlotGrid before = form->grid;
        QCOMPARE(reportedError([&] { QTest::mouseClick(form->Command3, Qt::LeftButton); }), 521);
        QVERIFY(form->grid == before);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("another program's text"));
    }

    void laterExportWorks() {
        QTest::qWait(100);
        QCOMPARE(reportedError([&] { QTest::mouseClick(form->Command3, Qt::LeftButton); }), 0);
        QTest::qWait(100);
        QCOMPARE(owner(), program);
        QCOMPARE(QGuiApplication::clipboard()->text(), exportText(*form));
    }
};

QTEST_MAIN(ClipboardFailureTest)
#include "clipboardfailure_test.moc"
