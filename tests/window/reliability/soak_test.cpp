// A long random session (session.h), the hostile files among its loads. 4000 gestures from
// a fixed seed, or MOSAIKON_SOAK_SEED=N; the full run (faster from a release build folder):
//
//     MOSAIKON_SOAK_GESTURES=100000 ctest --test-dir build/dev -R reliability.soak --timeout 14400

#include "hostilefiles.h"
#include "session.h"
#include "windowdriver.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon::testing;

class SoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void session() {
        const quint64 seed = qEnvironmentVariable("MOSAIKON_SOAK_SEED", "20240611").toULongLong();
        const int count = qEnvironmentVariable("MOSAIKON_SOAK_GESTURES", "4000").toInt();
        const auto form = startWindow();
        Session session{*form, std::mt19937_64(seed), {}};
        QTemporaryDir dir;
        for (const HostileFile &file : hostileFiles()) {
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

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
