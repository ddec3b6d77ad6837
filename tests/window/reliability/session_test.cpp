// Random gestures against an independent model of the window (session.h). `load`: each hostile
// file through "Load Image", pressed so that the window's error report runs, into an arrangement
// made by random gestures: read, or refused with its report (53, 75 or 481). `session`: 4000
// gestures from a fixed seed (or MOSAIKON_SOAK_SEED=N), the hostile files among the loads; the
// full run (faster from a release build folder):
//     MOSAIKON_SOAK_GESTURES=100000 ctest --test-dir build/dev -R reliability.soak --timeout 14400
// A load that waits for ever (a FIFO once) fails by the test's timeout.

#include "hostilefiles.h"
#include "session.h"
#include "windowdriver.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon::testing;

class SessionTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QList<HostileFile> files = hostileFiles();
    std::unique_ptr<mosaikon::Form1> form = startWindow(); // the hostile files' arrangement
    Session hostile{*form, std::mt19937_64(7), {}};

private Q_SLOTS:
    void load_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < files.size(); ++i) QTest::newRow(files[i].name) << i;
    }
    void load() {
        QFETCH(int, index);
        for (int n = 0; n < 40; ++n) QCOMPARE(step(hostile), QString()); // tiles, flips, origin...
        const QString path = dir.filePath(QString::fromUtf8(files[index].name));
        QVERIFY(files[index].make(path));
        int expected = 0;
        const int shown = reportedError([&] {
            expected = hostile.load({path, files[index].expect});
        });
        QCOMPARE(shown, expected);
        QCOMPARE(difference(hostile), QString());
    }

    void session() {
        const quint64 seed = qEnvironmentVariable("MOSAIKON_SOAK_SEED", "20240611").toULongLong();
        const int count = qEnvironmentVariable("MOSAIKON_SOAK_GESTURES", "4000").toInt();
        const auto window = startWindow();
        Session session{*window, std::mt19937_64(seed), {}};
        for (const HostileFile &file : files) {
            session.files.append({dir.filePath(QString::fromUtf8(file.name)), file.expect});
            QVERIFY(file.make(session.files.back().first));
        }
        for (int n = 1; n <= count; ++n) {
            const QString found = step(session);
            QVERIFY2(found.isEmpty(),
                     qPrintable(QString("seed %1, gesture %2: ").arg(seed).arg(n) + found));
        }
    }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
