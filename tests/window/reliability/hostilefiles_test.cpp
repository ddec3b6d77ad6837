// Hostile picture files through "Load Image", both by the handler and by a press of the button:
// each file is either read as Qt's reader reads it or refused with a report (53, 75 or 481), the
// program goes on, and the user's arrangement is exactly as it was. Headers that claim enormous
// sizes are refused quickly without touching gigabytes.

#include "harness.h"
#include "pictures.h"

#include "tests/support/hostilefiles.h"
#include "tests/support/imagefiles.h"
#include "window/adjustmentbox.h"
#include "window/pictureloader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

#include <thread>

using namespace mosaikon;
using namespace mosaikon::reliability;
using namespace mosaikon::testing;

namespace {

// What a load of a file must come to.
enum Expect {
    Loads,     // read as Qt's reader reads the file, showing `sheet` within the tolerance
    Refused,   // reported with one of the numbers given
    QtDecides, // read when Qt's reader reads the file, otherwise refused with 481
    Bounded,   // read or refused with 481, quickly and within bounded memory either way
};

constexpr qint64 LoadTimeLimitMs = 2000;
// A huge header may cost at most what a legitimate full decode may take.
constexpr qint64 HugeHeaderMemoryKb = FullDecodeLimitMb * 1024;

QImage sheet128() {
    return lopsidedSheet(128, 128);
}

// A sheet without sharp edges, which JPEG keeps close to the original.
QImage smoothSheet(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb(x * 255 / std::max(width - 1, 1), y * 255 / std::max(height - 1, 1),
                                (x + y) * 255 / std::max(width + height - 2, 1)));
    return image;
}

QImage paletted128() {
    return lopsidedSheet(128, 128, true);
}

// The paletted sheet with one palette entry transparent: those pixels show black.
QImage withTransparentShownBlack(const QImage &paletted, int index) {
    QImage shown = paletted.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < paletted.height(); ++y)
        for (int x = 0; x < paletted.width(); ++x)
            if (paletted.pixelIndex(x, y) == index) shown.setPixel(x, y, qRgb(0, 0, 0));
    return shown;
}

void addRow(const char *row, const QString &name, const QByteArray &bytes, Expect expect,
            const QImage &sheet = {}, int tolerance = 0, QList<int> numbers = {481}) {
    QTest::newRow(row) << name << bytes << int(expect) << sheet << tolerance << numbers;
}

void addTruncations(const char *kind, const QString &suffix, const QByteArray &bytes,
                    QList<qsizetype> lengths) {
    lengths << bytes.size() / 2 << bytes.size() - 1;
    for (qsizetype length : lengths) {
        const QString name =
            QStringLiteral("cut-%1-%2.%3").arg(QLatin1String(kind)).arg(length).arg(suffix);
        addRow(qPrintable(name), name, truncated(bytes, length), QtDecides);
    }
}

} // namespace

Q_DECLARE_METATYPE(QList<int>)

class HostileFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
    std::unique_ptr<ReportCatcher> reports;

    QString pathOf(const QString &name) const { return dir.filePath(name); }

    // An arrangement worth keeping: tiles on five slots, three of them flipped, the origin on
    // slot 27, the cursor away from 0/0, both adjustment boxes in different states.
    void arrange() {
        const QString good = pathOf(QStringLiteral("good.bmp"));
        QVERIFY(writeSheet(good, sheet128()));
        QCOMPARE(loadByHandler(*form, good).error, 0);
        const int slots[] = {0, 9, 18, 27, 63};
        for (int n = 0; n < 5; ++n) {
            form->Picture1_MouseMove(0, 0, float(40 * n + 10), float(30 * n + 5));
            form->SpritePicture1_DragDrop(slots[n], QStringLiteral("Picture1"), 3, 3);
            for (int c = 0; c < n % 4; ++c) form->SpritePicture1_Click(slots[n]);
        }
        form->SpritePicture1_DragDrop(27, QStringLiteral("Command4"), 0, 0);
        form->Picture1_MouseMove(0, 0, 200, 100);
        form->Check2->setCheckState(Qt::Checked);
        form->Check1->setCheckState(Qt::PartiallyChecked);
    }

    // Loads `name` by the handler and then by the button, and checks each load against `expect`.
    void checkLoads(const QString &name, Expect expect, const QImage &sheet, int tolerance,
                    const QList<int> &numbers) {
        const QString path = pathOf(name);
        // Qt's own reading of the file; never asked of files that cannot be read.
        const QImage reference = expect == Refused ? QImage() : qtReads(path);
        for (const bool byClick : {false, true}) {
            const Snapshot before = snapshotOf(*form);
            QElapsedTimer clock;
            clock.start();
            const Outcome outcome =
                byClick ? loadByClick(*form, *reports, path) : loadByHandler(*form, path);
            const qint64 elapsed = clock.elapsed();
            const Snapshot after = snapshotOf(*form);
            const QString way = byClick ? QStringLiteral("button") : QStringLiteral("handler");
            QVERIFY2(elapsed < LoadTimeLimitMs,
                     qPrintable(way + QStringLiteral(": %1 ms").arg(elapsed)));
            QVERIFY2(form->isVisible(), qPrintable(way));
            QCOMPARE(form->ImagePath, path);
            if (outcome.error == 0) {
                QVERIFY2(expect != Refused, qPrintable(way + QStringLiteral(": loaded")));
                QCOMPARE(differenceBetween(before, after, Ignore::SourceAndPath), QString());
                const QImage shown = imageOf(form->grid.source);
                if (expect != Bounded) {
                    QVERIFY2(!reference.isNull(),
                             qPrintable(way + QStringLiteral(": loaded what Qt's reader refuses")));
                    QCOMPARE(largestDifference(shown, viewOf(reference)), 0);
                }
                const int difference = sheet.isNull() ? 0 : largestDifference(shown, viewOf(sheet));
                QVERIFY2(difference <= tolerance,
                         qPrintable(way + QStringLiteral(": %1 from the sheet").arg(difference)));
            } else {
                const QString said = QStringLiteral("%1: error %2 %3")
                                         .arg(way)
                                         .arg(outcome.error)
                                         .arg(outcome.description);
                QVERIFY2(expect != Loads, qPrintable(said));
                QVERIFY2(expect != QtDecides || reference.isNull(), qPrintable(said));
                QVERIFY2(numbers.contains(outcome.error), qPrintable(said));
                QVERIFY2(!outcome.description.trimmed().isEmpty(), qPrintable(said));
                QCOMPARE(differenceBetween(before, after, Ignore::ImagePath), QString());
            }
        }
        QCOMPARE(reports->strangers(), 0);
    }

    static void columns() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("expect");
        QTest::addColumn<QImage>("sheet");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QList<int>>("numbers");
    }

    void writeAndCheck() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, expect);
        QFETCH(QImage, sheet);
        QFETCH(int, tolerance);
        QFETCH(QList<int>, numbers);
        QVERIFY(writeFile(pathOf(name), bytes));
        checkLoads(name, Expect(expect), sheet, tolerance, numbers);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        form = startWindow();
        reports = std::make_unique<ReportCatcher>();
        arrange();
    }

    void cleanupTestCase() {
        reports.reset();
        form.reset();
    }

    // First, while the peak memory is still that of the window: a header claiming 60000 x 60000
    // (or minus that) pixels is refused at once, without the gigabytes it asks for.
    void hugeHeaders_data() {
        columns();
        const QByteArray gif = gifBytes(paletted128());
        const QByteArray bmp = bmpBytes(sheet128(), 24);
        const QByteArray jpeg = jpegBytes(sheet128());
        const QByteArray progressive = jpegBytes(sheet128(), true);
        addRow("gif screen 60000", "huge-screen.gif", withGifScreen(gif, 60000, 60000), Refused);
        // Within a 128 x 128 screen, or 128 pixels wide: pictures Qt's reader reads.
        addRow("gif image 60000", "huge-image.gif", withGifImageSize(gif, 60000, 60000), QtDecides);
        addRow("gif both 60000", "huge-both.gif",
               withGifImageSize(withGifScreen(gif, 60000, 60000), 60000, 60000), Refused);
        addRow("bmp 60000", "huge.bmp", withBmpSize(bmp, 60000, 60000), Refused);
        addRow("bmp height -60000", "huge-topdown.bmp", withBmpSize(bmp, 128, -60000), QtDecides);
        addRow("bmp width -60000", "huge-negwidth.bmp", withBmpSize(bmp, -60000, 128), Refused);
        addRow("bmp both -60000", "huge-negboth.bmp", withBmpSize(bmp, -60000, -60000), Refused);
        // A sequential JPEG is decoded only as far as the view needs, whatever its size.
        addRow("jpeg 60000", "huge.jpg", withJpegSize(jpeg, 60000, 60000), Bounded);
        addRow("progressive jpeg 60000", "huge-progressive.jpg",
               withJpegSize(progressive, 60000, 60000), Refused);
    }

    void hugeHeaders() {
        const qint64 peakBefore = peakResidentKb();
        writeAndCheck();
        const qint64 growth = peakResidentKb() - peakBefore;
        QVERIFY2(growth < HugeHeaderMemoryKb,
                 qPrintable(QStringLiteral("peak grew %1 kB").arg(growth)));
    }

    void corpus_data() {
        columns();
        const QImage sheet = sheet128();
        const QImage paletted = paletted128();
        const QByteArray gif = gifBytes(paletted);
        const QByteArray bmp = bmpBytes(sheet, 24);
        const QByteArray jpeg = jpegBytes(sheet);
        const QByteArray words("Not a picture at all, only words.\n");
        for (const char *suffix : {"gif", "jpg", "bmp"}) {
            addRow(qPrintable(QStringLiteral("empty %1").arg(QLatin1String(suffix))),
                   QStringLiteral("empty.%1").arg(QLatin1String(suffix)), {}, Refused);
            addRow(qPrintable(QStringLiteral("text %1").arg(QLatin1String(suffix))),
                   QStringLiteral("words.%1").arg(QLatin1String(suffix)), words, Refused);
        }
        addTruncations("gif", QStringLiteral("gif"), gif, {6, 13, 300, 781, 790});
        addTruncations("jpeg", QStringLiteral("jpg"), jpeg, {2, 20, 200});
        addTruncations("bmp", QStringLiteral("bmp"), bmp, {2, 14, 30, 54, 60});

        const int clear = paletted.pixelIndex(5, 5);
        addRow("paletted gif", "paletted.gif", gif, Loads, paletted);
        addRow("transparent gif", "transparent.gif", gifBytes(paletted, clear), Loads,
               withTransparentShownBlack(paletted, clear));
        addRow("1x1 gif", "one.gif", gifBytes(lopsidedSheet(1, 1, true)), Loads,
               lopsidedSheet(1, 1, true));
        addRow("1x1 bmp", "one.bmp", bmpBytes(lopsidedSheet(1, 1), 24), Loads, lopsidedSheet(1, 1));
        addRow("1x1 jpeg", "one.jpg", jpegBytes(lopsidedSheet(1, 1)), QtDecides);
        const QImage smooth = smoothSheet(128, 128);
        addRow("jpeg", "sheet.jpg", jpegBytes(smooth), Loads, smooth, JpegTolerance);
        addRow("progressive jpeg", "progressive.jpg", jpegBytes(smooth, true), Loads, smooth,
               JpegTolerance);
        addRow("large progressive jpeg", "large-progressive.jpg",
               jpegBytes(smoothSheet(1200, 1000), true), Loads, smoothSheet(1200, 1000),
               JpegTolerance);
        addRow("16-bit bmp", "sixteen.bmp", bmpBytes(sheet, 16), Loads, sheet, 8);
        addRow("24-bit bmp", "twentyfour.bmp", bmp, Loads, sheet);
        addRow("32-bit bmp", "thirtytwo.bmp", bmpBytes(sheet, 32), Loads, sheet);
        addRow("top-down bmp", "topdown.bmp", topDownBmp(bmp), Loads, sheet);
        addRow("larger than the view", "large.bmp", bmpBytes(lopsidedSheet(300, 270), 24), Loads,
               lopsidedSheet(300, 270));
        addRow("space and umlaut", QStringLiteral("sprite sheet \u00e4.gif"), gif, Loads, paletted);
        addRow("bmp named gif", "really-bmp.gif", bmp, Loads, sheet);

        addRow("gif screen 0x0", "zero-screen.gif", withGifScreen(gif, 0, 0), QtDecides);
        addRow("gif image 0x0", "zero-image.gif", withGifImageSize(gif, 0, 0), QtDecides);
        addRow("gif image beyond screen", "beyond.gif", withGifImageSize(gif, 200, 200), QtDecides);
        addRow("bmp 0x0", "zero.bmp", withBmpSize(bmp, 0, 0), QtDecides);
        addRow("bmp width -128", "negwidth.bmp", withBmpSize(bmp, -128, 128), QtDecides);
        addRow("bmp larger than its data", "short.bmp", withBmpSize(bmp, 4000, 4000), QtDecides);
        addRow("jpeg 0x0", "zero.jpg", withJpegSize(jpeg, 0, 0), QtDecides);
        addRow("jpeg larger than its data", "short.jpg", withJpegSize(jpeg, 4000, 4000), QtDecides);
    }

    void corpus() { writeAndCheck(); }

    void unreadable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << "missing.gif" << 53;
        QTest::newRow("missing folder") << "nowhere/sheet.gif" << 53;
        QTest::newRow("directory") << "folder.gif" << 75;
        QTest::newRow("no permission") << "locked.bmp" << 75;
        QTest::newRow("fifo") << "pipe.gif" << 75;
    }

    void unreadable() {
        QFETCH(QString, name);
        QFETCH(int, number);
        const QString path = pathOf(name);
        if (name == QLatin1String("folder.gif")) QVERIFY(QDir(dir.path()).mkdir(name));
        if (name == QLatin1String("locked.bmp")) {
            QVERIFY(writeSheet(path, sheet128()));
            QVERIFY(QFile::setPermissions(path, {}));
            if (QFile file(path); file.open(QIODevice::ReadOnly))
                QSKIP("this user reads files without read permission (root)");
        }
        if (name == QLatin1String("pipe.gif")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            return checkFifo(path, number);
        }
        checkLoads(name, Refused, {}, 0, {number});
    }

    // The arrangement after all of it still takes gestures and exports.
    void stillWorks() {
        form->Picture1_MouseMove(0, 0, 5, 5);
        form->SpritePicture1_DragDrop(5, QStringLiteral("Picture1"), 0, 0);
        form->SpritePicture1_Click(5);
        QCOMPARE(form->grid.slots[5].Tag, std::string("0"));
        QCOMPARE(int(form->grid.SlotAttr[5]), 0x61);
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                          form->Command3->geometry().center());
        QVERIFY(reports->take().isEmpty());
        QCOMPARE(clipboardText(), QString::fromStdString(snapshotOf(*form).tables[1]));
    }

private:
    // A FIFO nobody writes to: opening it for reading would wait for ever. The load must be
    // refused instead; should a load hang, a writer comes by after a while so the test ends.
    void checkFifo(const QString &path, int number) {
        std::atomic<bool> done = false;
        std::thread unblock([&] {
            const QByteArray name = QFile::encodeName(path);
            const auto start = std::chrono::steady_clock::now();
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                if (std::chrono::steady_clock::now() - start <
                    std::chrono::milliseconds(3 * LoadTimeLimitMs))
                    continue;
                const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            }
        });
        checkLoads(QFileInfo(path).fileName(), Refused, {}, 0, {number});
        done = true;
        unblock.join();
    }
};

QTEST_MAIN(HostileFilesTest)
#include "hostilefiles_test.moc"
