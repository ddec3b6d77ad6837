// Hostile files through "Load Image", pressed so that the window's error report runs, each into
// an arrangement made by random gestures: it is read or refused with a report (53, 75 or 481),
// all else as the model has it (session.h). A load waiting for ever (a FIFO once) times out.

#include "hostilefiles.h"
#include "session.h"
#include "windowdriver.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::testing;

class HostileFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QList<HostileFile> files = hostileFiles();
    std::unique_ptr<Form1> form = startWindow();
    Session session{*form, std::mt19937_64(7), {}};

private Q_SLOTS:
    void load_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < files.size(); ++i) QTest::newRow(files[i].name) << i;
    }

    void load() {
        QFETCH(int, index);
        for (int n = 0; n < 40; ++n) QCOMPARE(step(session), QString()); // tiles, flips, origin...
        const HostileFile &file = files[index];
        const QString path = dir.filePath(QString::fromUtf8(file.name));
        QVERIFY(file.make(path));
        int expected = 0;
        const int shown = reportedError([&] { expected = session.load({path, file.expect}); });
        QCOMPARE(shown, expected);
        QCOMPARE(difference(session), QString());
    }
};

QTEST_MAIN(HostileFilesTest)
#include "hostilefiles_test.moc"
