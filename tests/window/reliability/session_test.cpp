// Random gestures against an independent model of the window (session.h): 4000 gestures from a
// fixed seed (or MOSAIKON_SOAK_SEED=N). Each hostile file goes through "Load Image" in turn, every
// 40th gesture, into the arrangement the gestures before made: read, or refused with its report
// (53, 75 or 481), pressed so that the window's error report runs; then they are among the random
// loads. The full run (faster from a release build folder):
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

private Q_SLOTS:
    void session() {
        const quint64 seed = qEnvironmentVariable("MOSAIKON_SOAK_SEED", "20240611").toULongLong();
        const int count = qEnvironmentVariable("MOSAIKON_SOAK_GESTURES", "4000").toInt();
        const auto window = startWindow();
        const QTemporaryDir dir;
        Session session{*window, std::mt19937_64(seed), hostileFiles(dir.path())};
        QVERIFY(!session.files.isEmpty());
        for (int n = 1; n <= count; ++n) {
            const qsizetype turn = n % 40 ? -1 : n / 40 - 1;
            const bool inTurn = turn >= 0 && turn < session.files.size();
            const QString found = step(session, inTurn ? &session.files[turn] : nullptr);
            const QString file = inTurn ? ", " + session.files[turn].first : QString();
            QVERIFY2(
                found.isEmpty(),
                qPrintable(QString("seed %1, gesture %2%3: ").arg(seed).arg(n).arg(file) + found));
        }
    }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
