// Drops routed by Qt itself while a real drag of the program runs (xcb, under tests/with-xvfb):
// the window hands each to the widget under the point, which takes it or refuses it when it
// enters; a drag from this program can carry data other than a control's (the file dialog's
// files), so the data decides too.

#include "controldrag.h"
#include "windowdriver.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTimer>

using namespace mosaikon;
using namespace mosaikon::testing;

class DropsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drops_data() {
        // What the drag carries (a control's name, or text), the window point it is released at;
        // whether it was taken, slot 27's Tag and the origin after.
        QTest::addColumn<QString>("carries");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("expected");
        const std::tuple<const char *, const char *, QPointF, const char *> rows[] = {
            {"tile, slot's middle", "Picture1", {488, 224}, "taken 38 @0"},
            {"tile, slot's top-left", "Picture1", {456, 192}, "taken 38 @0"},
            {"tile, slot's bottom-right", "Picture1", {519, 255}, "taken 38 @0"},
            {"tile, slot's left edge", "Picture1", {456.4, 253.5}, "taken 38 @0"},
            {"origin on a slot", OriginButtonName, {461, 252}, "taken  @27"},
            {"text from this program", "text", {488, 224}, "refused  @0"},
            {"origin on Load Image", OriginButtonName, {9, 265}, "refused  @0"},
            {"origin on the export", OriginButtonName, {9, 321}, "refused  @0"},
            {"origin on a box", OriginButtonName, {17, 377}, "refused  @0"},
            {"origin on the other box", OriginButtonName, {17, 425}, "refused  @0"},
            {"origin on the source view", OriginButtonName, {9, 9}, "refused  @0"},
            {"origin on the window", OriginButtonName, {220, 470}, "refused  @0"},
            {"origin on itself", OriginButtonName, {169, 377}, "refused  @0"}};
        for (const auto &[row, carries, at, expected] : rows)
            QTest::newRow(row) << carries << at << expected;
    }
    void drops() {
        QFETCH(QString, carries);
        QFETCH(QPointF, at);
        QFETCH(QString, expected);
        const auto form = startWindow();
        QWindow *win = form->windowHandle();
        QMimeData data;
        data.setData(carries == "text" ? "text/plain" : controlMimeType(), carries.toLatin1());
        QString taken;
        QTest::mouseMove(win, {100, 40});
        QTimer::singleShot(0, [&] { // in the drag's own event loop: Qt names the drag's source
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
                QApplication::sendEvent(win, e);
            taken = drop.isAccepted() ? "taken " : "refused ";
            QDrag::cancel();
        });
        QTest::mousePress(win, Qt::LeftButton, {}, {100, 40});
        QTest::mouseRelease(win, Qt::LeftButton, {}, {100, 40});
        const int origin = form->grid.OriginRow * 8 + form->grid.OriginCol;
        QCOMPARE(taken + QString::fromStdString(form->grid.slots[27].Tag) + " @" +
                     QString::number(origin),
                 expected);
    }
};

QTEST_MAIN(DropsTest)
#include "drops_test.moc"
