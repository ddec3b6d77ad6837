// The window's make-up right after start-up: places, sizes, captions, focus order, the grid over
// the source view, what the views show, and the state everything starts in.

#include "windowtest.h"

#include "window/adjustmentbox.h"
#include "window/gridoverlay.h"
#include "window/originbutton.h"
#include "window/picturearea.h"

#include <QApplication>
#include <QPushButton>
#include <QRegion>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::testing;

namespace {

bool onGridLine(int x, int y) {
    const auto edge = [](int v) { return v % 32 == 0 || v % 32 == 31; };
    return edge(x) || edge(y);
}


} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;

private Q_SLOTS:
    void initTestCase() { form = startWindow(); }
    void cleanupTestCase() { form.reset(); }

    void window() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Mosaikon"));
        QCOMPARE(form->size(), QSize(779, 513));
        QCOMPARE(form->minimumSize(), QSize(779, 513));
        QCOMPARE(form->maximumSize(), QSize(779, 513));
        QVERIFY(!form->windowIcon().isNull());
    }

    void namedControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Picture1") << "Picture1" << QRect(0, 0, 256, 256) << QString();
        QTest::newRow("Command1") << "Command1" << QRect(0, 256, 257, 49) << "Load Image";
        QTest::newRow("Command3") << "Command3" << QRect(0, 312, 257, 49)
                                  << "ASM Sprite Table to Clipboard";
        QTest::newRow("Check1") << "Check1" << QRect(8, 368, 137, 41)
                                << "Vertical adjustment for odd number of tiles";
        QTest::newRow("Command4") << "Command4" << QRect(160, 368, 41, 45) << "0";
        QTest::newRow("Check2") << "Check2" << QRect(8, 416, 137, 41)
                                << "Horizontal adjustment for odd number of tiles";
    }

    void namedControls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        auto *control = form->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
        QVERIFY(control->isVisible());
        if (auto *button = qobject_cast<QAbstractButton *>(control)) {
            QCOMPARE(button->text(), caption);
            if (auto *push = qobject_cast<QPushButton *>(button)) QVERIFY(!push->isDefault());
        }
    }

    void originButtonFace() {
        const QFont face = form->Command4->font();
        QCOMPARE(face.family(), QStringLiteral("Comic Sans MS"));
        QCOMPARE(face.pointSize(), 24);
        QVERIFY(face.bold());
        QCOMPARE(form->Command4->toolTip(), QStringLiteral("Origin"));
        QCOMPARE(form->Command1->font(), QApplication::font(form->Command1));
    }

    void slotViewsFollowTheGridRule() {
        QRegion covered;
        int area = 0;
        for (int i = 0; i < 64; ++i) {
            PictureArea *view = form->SpritePicture1[std::size_t(i)];
            QCOMPARE(view->objectName(), QStringLiteral("SpritePicture1"));
            QCOMPARE(view->property("index").toInt(), i);
            QCOMPARE(view->geometry(), QRect(264 + 64 * (i % 8), 64 * (i / 8), 64, 64));
            covered += view->geometry();
            area += view->width() * view->height();
        }
        QCOMPARE(form->SpritePicture1[9]->pos(), QPoint(328, 64));
        QCOMPARE(form->SpritePicture1[63]->pos(), QPoint(712, 448));
        QCOMPARE(covered, QRegion(264, 0, 512, 512)); // no gap
        QCOMPARE(area, 512 * 512);                    // no overlap
    }

    void noControlsOverlap() {
        const auto controls = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 70);
        for (qsizetype a = 0; a < controls.size(); ++a) {
            QVERIFY(form->rect().contains(controls[a]->geometry()));
            for (qsizetype b = a + 1; b < controls.size(); ++b)
                QVERIFY2(!controls[a]->geometry().intersects(controls[b]->geometry()),
                         qPrintable(controls[a]->objectName() + " / " + controls[b]->objectName()));
        }
    }

    void tabOrder() {
        QList<QWidget *> expected{form->Picture1, form->SpritePicture1[0], form->Command1};
        for (int i = 1; i < 64; ++i) expected.append(form->SpritePicture1[std::size_t(i)]);
        expected.append({form->Command3, form->Check1, form->Command4, form->Check2});

        QList<QWidget *> chain;
        for (QWidget *w = form->Picture1->nextInFocusChain(); w != form->Picture1;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) chain.append(w);
        chain.prepend(form->Picture1);
        QCOMPARE(chain, expected);

        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Picture1->setFocus(Qt::OtherFocusReason);
        for (qsizetype i = 1; i <= expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[i % expected.size()]);
        }
    }

    void gridPicture() {
        const QImage grid = GridOverlay::gridImage();
        QCOMPARE(grid.size(), QSize(256, 256));
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const QRgb p = grid.pixel(x, y);
                if (onGridLine(x, y))
                    QCOMPARE(p, qRgb(128, 0, 0));
                else
                    QCOMPARE(qAlpha(p), 0);
            }
    }

    void gridTakesNoPointerInput() {
        QCOMPARE(form->Image1->parentWidget(), form->Picture1);
        QCOMPARE(form->Image1->geometry(), QRect(0, 0, 256, 256));
        for (QPoint p :
             {QPoint(0, 0), QPoint(31, 31), QPoint(32, 100), QPoint(100, 40), QPoint(255, 255)})
            QCOMPARE(form->childAt(p), form->Picture1);
    }

    void sourceViewShowsBlackCellsInTheGrid() {
        const QImage shown = form->Picture1->grab().toImage();
        QCOMPARE(shown.size(), QSize(256, 256));
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                QCOMPARE(shown.pixel(x, y), onGridLine(x, y) ? qRgb(128, 0, 0) : qRgb(0, 0, 0));
    }

    void slotViewsShowGreyAndTheOriginBorder() {
        for (int i = 0; i < 64; ++i) {
            const QImage shown = form->SpritePicture1[std::size_t(i)]->grab().toImage();
            QCOMPARE(shown.pixel(32, 32), SlotGrey);
            QCOMPARE(shown.pixel(1, 1), SlotGrey);
            for (QPoint edge : {QPoint(0, 0), QPoint(63, 30), QPoint(30, 63), QPoint(0, 40)})
                QCOMPARE(shown.pixel(edge) != SlotGrey, i == 0);
        }
    }

    void initialState() {
        const SlotGrid &grid = form->grid;
        for (int i = 0; i < 64; ++i) {
            const auto s = std::size_t(i);
            QCOMPARE(tagOf(*form, i), QString());
            QCOMPARE(attrOf(*form, i), 0);
            QCOMPARE(grid.slots[s].BorderStyle, i == 0 ? 1 : 0);
            QCOMPARE(form->SpritePicture1[s]->BorderStyle(), i == 0 ? 1 : 0);
            QCOMPARE(imageOf(grid.slots[s].picture), filled(64, 64, SlotGrey));
        }
        QCOMPARE(grid.CursorCol, 0.0f);
        QCOMPARE(grid.CursorRow, 0.0f);
        QCOMPARE(int(grid.OriginCol), 0);
        QCOMPARE(int(grid.OriginRow), 0);
        QCOMPARE(imageOf(grid.source), filled(256, 256, qRgb(0, 0, 0)));
        QCOMPARE(form->ImagePath, QString());
        QCOMPARE(form->Check1->value(), 0);
        QCOMPARE(form->Check2->value(), 0);
    }

    void checkBoxValues_data() {
        QTest::addColumn<Qt::CheckState>("state");
        QTest::addColumn<int>("value");
        QTest::newRow("unchecked") << Qt::Unchecked << 0;
        QTest::newRow("checked") << Qt::Checked << 1;
        QTest::newRow("grayed") << Qt::PartiallyChecked << 2;
    }

    void checkBoxValues() {
        QFETCH(Qt::CheckState, state);
        QFETCH(int, value);
        for (AdjustmentBox *box : {form->Check1, form->Check2}) {
            box->setTristate(state == Qt::PartiallyChecked);
            box->setCheckState(state);
            QCOMPARE(box->value(), value);
            box->setTristate(false);
            box->setCheckState(Qt::Unchecked);
        }
    }

    void aClickTogglesABox() {
        for (AdjustmentBox *box : {form->Check1, form->Check2}) {
            for (int expected : {1, 0, 1, 0}) {
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(100, 20));
                QCOMPARE(box->value(), expected);
            }
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
