// A long random session on the real window, checked gesture by gesture against an independent
// model: slots, flips, origin, cursor, slot pictures, source view and export text must agree after
// every gesture, and every failing gesture must be reported and change only what it finished.
//
// The regular suite runs a few thousand gestures from a fixed seed. The full run:
//
//     MOSAIKON_SOAK_GESTURES=100000 ctest --test-dir build/dev -R reliability.soak --timeout 14400
//
// (any build folder will do; the release one runs it several times faster).
//
// MOSAIKON_SOAK_SEED=N replays or varies the session; every run prints its seed.

#include "harness.h"
#include "pictures.h"
#include "sessiondriver.h"

#include "tests/support/hostilefiles.h"
#include "tests/support/imagefiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::reliability;
using namespace mosaikon::testing;

namespace {

constexpr quint64 DefaultSeed = 20240611;
constexpr int DefaultGestures = 4000;

quint64 environmentNumber(const char *name, quint64 fallback) {
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// Warnings a long session produces by the thousand and that say nothing about the program: the
// pointer leaving the window, and the offscreen platform's word on every error report.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtWarningMsg && (message.contains(QLatin1String("occurs outside target window")) ||
                                 message.contains(QLatin1String("propagateSizeHints")) ||
                                 QLatin1String(context.category ? context.category : "") ==
                                     QLatin1String("qt.gui.imageio.jpeg")))
        return;
    previousHandler(type, context, message);
}

// The session's picture files: good sheets of every kind, and files that cannot be loaded.
// What loading each must give follows from the file itself: 53 when it is missing, 75 when it
// is a folder, 481 when Qt's reader cannot read it, else the view of what the reader reads.
QList<SheetFile> sessionFiles(const QTemporaryDir &dir) {
    const QImage paletted = lopsidedSheet(96, 80, true);
    const QByteArray gif = gifBytes(lopsidedSheet(128, 128, true));
    const QList<std::pair<QString, QByteArray>> written = {
        {QStringLiteral("sheet.bmp"), bmpBytes(lopsidedSheet(128, 128), 24)},
        {QStringLiteral("palette.gif"), gif},
        {QStringLiteral("clear.gif"), gifBytes(paletted, paletted.pixelIndex(3, 3))},
        {QStringLiteral("small.bmp"), bmpBytes(lopsidedSheet(40, 24), 32)},
        {QStringLiteral("large.bmp"), bmpBytes(lopsidedSheet(300, 270), 16)},
        {QStringLiteral("photo.jpg"), jpegBytes(lopsidedSheet(160, 144), true)},
        {QStringLiteral("sprite sheet \u00e4.gif"), gif},
        {QStringLiteral("words.jpg"), QByteArray("no picture here\n")},
        {QStringLiteral("empty.gif"), QByteArray()},
        {QStringLiteral("cut.gif"), truncated(gif, gif.size() / 2)},
        {QStringLiteral("huge.bmp"), withBmpSize(bmpBytes(lopsidedSheet(8, 8), 24), 60000, 60000)},
        {QStringLiteral("huge.jpg"),
         withJpegSize(jpegBytes(lopsidedSheet(8, 8), true), 60000, 60000)},
    };
    for (const auto &[name, bytes] : written) writeFile(dir.filePath(name), bytes);
    QDir(dir.path()).mkdir(QStringLiteral("folder.bmp"));

    QList<SheetFile> files;
    for (const QString &name : QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        files.append({dir.filePath(name), NoError, {}});
    files.append({dir.filePath(QStringLiteral("missing.gif")), NoError, {}});
    for (SheetFile &file : files) {
        const QFileInfo info(file.path);
        const QImage read = info.isFile() ? qtReads(file.path) : QImage();
        file.error = !info.exists() ? 53 : info.isDir() ? 75 : read.isNull() ? 481 : NoError;
        if (file.error == NoError) file.view = viewOf(read);
    }
    return files;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void session() {
        const quint64 seed = environmentNumber("MOSAIKON_SOAK_SEED", DefaultSeed);
        const auto count = int(environmentNumber("MOSAIKON_SOAK_GESTURES", DefaultGestures));
        qInfo("soak: seed %llu, %d gestures", seed, count);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QList<SheetFile> files = sessionFiles(dir);
        const auto form = startWindow();
        ReportCatcher reports;
        SessionDriver driver(*form, reports, files, seed);

        previousHandler = qInstallMessageHandler(quietHandler);
        QElapsedTimer clock;
        clock.start();
        QString difference;
        while (difference.isEmpty() && driver.gestures() < count) difference = driver.step();
        qInstallMessageHandler(previousHandler);

        qInfo("soak: %d gestures in %lld ms: %s", driver.gestures(), clock.elapsed(),
              qPrintable(driver.summary()));
        if (!difference.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, after gesture %2: %3\nlast gestures:\n  %4")
                                 .arg(seed)
                                 .arg(driver.gestures())
                                 .arg(difference, driver.recent().join(QLatin1String("\n  ")))));
        QVERIFY(form->isVisible());
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
