// The export when the clipboard cannot be written, made real under an X server: another client
// (xclip) takes the CLIPBOARD selection after the program's last X event. The program asks for
// the selection with the last server time it knows, which is older than the other client's, so
// the server ignores it; the export reads back another text and ends with 521. The report shows
// it, nothing the user built changes, the other client keeps its text, and once the program has
// caught up with the server the next export works.
//
// Runs under tests/with-xvfb on the xcb platform (see CMakeLists.txt).

#include "harness.h"
#include "pictures.h"

#include "tests/support/imagefiles.h"
#include "window/adjustmentbox.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <X11/Xlib.h>

using namespace mosaikon;
using namespace mosaikon::reliability;
using namespace mosaikon::testing;

namespace {

const QString OtherText = QStringLiteral("another program's text");

// A second X client, with its own connection, that watches who owns CLIPBOARD.
class SelectionWatch {
public:
    SelectionWatch()
        : display_(XOpenDisplay(nullptr)) {
        if (display_) clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
    }
    ~SelectionWatch() {
        if (display_) XCloseDisplay(display_);
    }
    SelectionWatch(const SelectionWatch &) = delete;
    SelectionWatch &operator=(const SelectionWatch &) = delete;

    bool valid() const { return display_ != nullptr; }
    Window owner() const { return XGetSelectionOwner(display_, clipboard_); }

    // Waits, without letting the program see any event, until `wanted` holds for the owner.
    template<class Predicate> bool waitForOwner(Predicate wanted) const {
        QElapsedTimer clock;
        clock.start();
        while (!wanted(owner())) {
            if (clock.elapsed() > 5000) return false;
            QThread::msleep(2);
        }
        return true;
    }

private:
    Display *display_;
    Atom clipboard_ = None;
};

} // namespace

class ClipboardFailureTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
    std::unique_ptr<ReportCatcher> reports;
    SelectionWatch watch;
    QProcess xclip;
    static inline Window programOwner = None; // the program's window that owns the selection

    // Lets the program handle what the X server sent it, so it knows the server's time again.
    static void catchUp() {
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
    }

    // The other client takes the clipboard, after the program's last event, and keeps it.
    bool otherClientTakesClipboard() {
        stopOtherClient();
        if (!watch.waitForOwner([](Window w) { return w == None || w == programOwner; }))
            return false;
        xclip.start(QStringLiteral("xclip"),
                    {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                     QStringLiteral("clipboard"), QStringLiteral("-i"),
                     dir.filePath(QStringLiteral("other.txt"))});
        return xclip.waitForStarted(5000) &&
               watch.waitForOwner([](Window w) { return w != None && w != programOwner; });
    }

    void stopOtherClient() {
        if (xclip.state() == QProcess::NotRunning) return;
        xclip.terminate();
        xclip.waitForFinished(5000);
    }

    QString expectedTable() const {
        return QString::fromStdString(snapshotOf(*form).tables[1]); // Check2 checked, Check1 not
    }

    void arrange() {
        QVERIFY(writeSheet(dir.filePath(QStringLiteral("sheet.bmp")), lopsidedSheet(128, 128)));
        QCOMPARE(loadByHandler(*form, dir.filePath(QStringLiteral("sheet.bmp"))).error, 0);
        for (const int slot : {0, 9, 18, 27}) {
            form->Picture1_MouseMove(0, 0, float(slot * 7), float(slot * 5));
            form->SpritePicture1_DragDrop(slot, QStringLiteral("Picture1"), 1, 1);
        }
        form->SpritePicture1_Click(18);
        form->SpritePicture1_DragDrop(9, QStringLiteral("Command4"), 1, 1);
        form->Check2->setCheckState(Qt::Checked);
    }

    // One export, by `way`, while another client holds the clipboard.
    void failingExport(const std::function<Outcome()> &exportBy) {
        QVERIFY(otherClientTakesClipboard());
        const Snapshot before = snapshotOf(*form);
        const Outcome outcome = exportBy();
        QCOMPARE(outcome.error, 521);
        QCOMPARE(outcome.description, QStringLiteral("Can't open Clipboard"));
        QCOMPARE(differenceBetween(before, snapshotOf(*form)), QString());
        QVERIFY(form->isVisible());
        QCOMPARE(clipboardText(), OtherText);
    }

    Outcome reported(const std::function<void()> &gesture) {
        reports->take();
        gesture();
        const QStringList shown = reports->take();
        if (shown.size() != 1) return {-int(shown.size()), shown.join(QLatin1Char('|'))};
        if (!shown.front().startsWith(QLatin1String("Run-time error '521':")))
            return {-1, shown.front()};
        return parseReport(shown.front());
    }

private Q_SLOTS:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under tests/with-xvfb)");
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) QSKIP("needs xclip");
        QVERIFY(dir.isValid());
        QVERIFY(watch.valid());
        QVERIFY(writeFile(dir.filePath(QStringLiteral("other.txt")), OtherText.toUtf8()));
        form = startWindow();
        reports = std::make_unique<ReportCatcher>();
        arrange();
        form->Command3_Click();
        catchUp();
        QCOMPARE(clipboardText(), expectedTable());
        programOwner = watch.owner();
        QVERIFY(programOwner != None);
    }

    void cleanupTestCase() {
        stopOtherClient();
        reports.reset();
        form.reset();
    }

    void byHandler() {
        failingExport([this] { return callHandler([this] { form->Command3_Click(); }); });
    }

    void byButtonClick() {
        failingExport([this] { return reported([this] { form->Command3->click(); }); });
    }

    void byPointer() {
        failingExport([this] {
            return reported([this] {
                QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                                  form->Command3->geometry().center());
            });
        });
    }

    // Once the program has caught up with the server, the export takes the clipboard back, and
    // another client reads the table from it.
    void laterExportWorks() {
        QVERIFY(otherClientTakesClipboard());
        catchUp();
        reports->take();
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                          form->Command3->geometry().center());
        QVERIFY(reports->take().isEmpty());
        catchUp();
        QCOMPARE(clipboardText(), expectedTable());
        QCOMPARE(watch.owner(), programOwner);

        QProcess reader;
        reader.start(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                               QStringLiteral("clipboard")});
        // The program must answer the reader's request, so events run while it waits.
        QElapsedTimer clock;
        clock.start();
        while (reader.state() != QProcess::NotRunning && clock.elapsed() < 5000) catchUp();
        QCOMPARE(QString::fromLatin1(reader.readAllStandardOutput()), expectedTable());
    }
};

QTEST_MAIN(ClipboardFailureTest)
#include "clipboardfailure_test.moc"
