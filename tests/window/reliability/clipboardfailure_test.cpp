// The export while another X client (xclip) holds CLIPBOARD, taken after the program's last X
// event: the program asks with the last server time it knows, older than the other client's, so
// the server ignores it. The export must report 521, change nothing and leave the other client
// its text; once caught up with the server, it works again. Runs under tests/with-xvfb.

#include "controldrag.h"
#include "windowdriver.h"
#include "xclipboard.h"

#include <QClipboard>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::testing;

class ClipboardFailureTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    XClipboard clipboard;
    unsigned long program = 0; // the program's window that owns CLIPBOARD after an export
    QProcess xclip;

    static int exportReport(Form1 &form) {
        return reportedError([&] { QTest::mouseClick(form.Command3, Qt::LeftButton); });
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) QSKIP("needs xclip");
        QVERIFY(clipboard.isOpen());
        form = startWindow(); // something to export: a flipped tile, the origin elsewhere
        form->SpritePicture1_DragDrop(0, QStringLiteral("Picture1"), 0, 0);
        form->SpritePicture1_Click(0);
        form->SpritePicture1_DragDrop(9, QString::fromLatin1(OriginButtonName), 0, 0);
        QCOMPARE(exportReport(*form), 0);
        QTest::qWait(100); // the program handles what the server sent: it knows its time again
        QVERIFY((program = clipboard.owner()) != 0);
    }

    void exportFailsWhileAnotherClientHoldsTheClipboard() {
        QCOMPARE(clipboard.owner(), program);
        QVERIFY(clipboard.takeUnseen(xclip, "another program's text"));
        const SlotGrid before = form->grid;
        QCOMPARE(exportReport(*form), 521);
        QVERIFY(form->grid == before);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("another program's text"));
    }

    void laterExportWorks() {
        QTest::qWait(100);
        QCOMPARE(exportReport(*form), 0);
        QTest::qWait(100);
        QCOMPARE(clipboard.owner(), program);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "DC.w $0001\r\nDC.b $F0,$81,$F0,$00,$61\r\n");
    }
};

QTEST_MAIN(ClipboardFailureTest)
#include "clipboardfailure_test.moc"
