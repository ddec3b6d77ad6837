#include "windowtest.h"

#include "window/controldrag.h"
#include "window/module1.h"
#include "window/picturearea.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace mosaikon::testing {

std::unique_ptr<Form1> startWindow() {
    auto form = Module1::Main();
    if (!QTest::qWaitForWindowExposed(form->windowHandle())) qWarning("the window was not exposed");
    return form;
}

QPoint slotPoint(Form1 &form, int index, QPoint at) {
    return form.SpritePicture1.at(std::size_t(index))->mapTo(&form, at);
}

QPoint cellCentre(int col, int row) {
    return {col * 32 + 16, row * 32 + 16};
}

void press(Form1 &form, QPoint where, Qt::MouseButton button) {
    QTest::mousePress(form.windowHandle(), button, {}, where);
}

void release(Form1 &form, QPoint where, Qt::MouseButton button) {
    QTest::mouseRelease(form.windowHandle(), button, {}, where);
}

void click(Form1 &form, QPoint where, Qt::MouseButton button) {
    QTest::mouseClick(form.windowHandle(), button, {}, where);
}

void moveTo(Form1 &form, QPoint where) {
    // The platform drops a move to where the pointer already is, also when it was there in an
    // earlier window: come from a bare spot of the window, away from every control.
    QTest::mouseMove(form.windowHandle(), QPoint(260, 500));
    QTest::mouseMove(form.windowHandle(), where);
}

void dropOn(Form1 &form, int index, const QString &source, QPointF at) {
    QMimeData data;
    data.setData(controlMimeType(), source.toUtf8());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    // Straight to the view: the application hands a drop only to the target whose drag enter it
    // accepted, and offscreen no drag ever enters.
    QObject *view = form.SpritePicture1.at(std::size_t(index));
    view->event(&drop);
}

void dragTile(Form1 &form, QPoint from, int index) {
    moveTo(form, from);
    press(form, from);
    dropOn(form, index, QStringLiteral("Picture1"));
    release(form, slotPoint(form, index));
}

Report reportDuring(const std::function<void()> &gesture) {
    Report report;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&report] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        report = {box->windowTitle(), box->text(), box->objectName()};
        box->done(QMessageBox::Ok);
    });
    closer.start();
    gesture();
    return report;
}

Report loadWith(Form1 &form, FileDialogFunction answer) {
    const ScopedDialogFunctions dialog(std::move(answer));
    return reportDuring([&] { QTest::mouseClick(form.Command1, Qt::LeftButton); });
}

FileDialogFunction choosing(const QString &path) {
    const QByteArray bytes = toRecordText(path);
    return [bytes](OPENFILENAMEA *rec) { return answerWithPath(rec, bytes); };
}

void loadSheet(Form1 &form, const QString &path) {
    const Report report = loadWith(form, choosing(path));
    QVERIFY2(report.text.isEmpty(), qPrintable(report.text));
}

QString tagOf(const Form1 &form, int index) {
    return QString::fromStdString(form.grid.slots.at(std::size_t(index)).Tag);
}

int attrOf(const Form1 &form, int index) {
    return form.grid.SlotAttr.at(std::size_t(index));
}

QImage slotImage(const Form1 &form, int index) {
    return imageOf(form.grid.slots.at(std::size_t(index)).picture);
}

QImage filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

void putOnClipboard(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
}

namespace {

// `sheet` enlarged `factor` times from its pixel (left, top) into a `size` x `size` picture.
QImage enlarged(const QImage &sheet, int left, int top, int factor, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QPoint from(left + x / factor, top + y / factor);
            image.setPixel(x, y, sheet.valid(from) ? sheet.pixel(from) | 0xFF000000u : 0xFF000000u);
        }
    return image;
}

} // namespace

QImage expectedTile(const QImage &sheet, int col, int row) {
    return enlarged(sheet, col * 16, row * 16, 4, 64);
}

QImage expectedView(const QImage &sheet) {
    return enlarged(sheet, 0, 0, 2, 256);
}

QString gridDifference(const SlotGrid &before, const SlotGrid &after) {
    for (int i = 0; i < SlotCount; ++i) {
        const auto s = std::size_t(i);
        const Slot &a = before.slots[s];
        const Slot &b = after.slots[s];
        if (a.Tag != b.Tag) return QStringLiteral("Tag of slot %1").arg(i);
        if (a.BorderStyle != b.BorderStyle) return QStringLiteral("border of slot %1").arg(i);
        if (!(a.picture == b.picture)) return QStringLiteral("picture of slot %1").arg(i);
        if (before.SlotAttr[s] != after.SlotAttr[s])
            return QStringLiteral("attr of slot %1").arg(i);
    }
    if (before.CursorCol != after.CursorCol || before.CursorRow != after.CursorRow)
        return QStringLiteral("cursor");
    if (before.OriginCol != after.OriginCol || before.OriginRow != after.OriginRow)
        return QStringLiteral("origin");
    if (!(before.source == after.source)) return QStringLiteral("source view");
    return {};
}

QString referenceTable(QList<Placed> used, int originSlot, bool horizontal, bool vertical) {
    std::sort(used.begin(), used.end(),
              [](const Placed &a, const Placed &b) { return a.slot < b.slot; });
    QString text = QString::asprintf("DC.w $%04X\r\n", unsigned(used.size()));
    for (const Placed &p : used) {
        const int dx = (p.slot % 8 - originSlot % 8) * 16 - (horizontal ? 8 : 0);
        const int dy = (p.slot / 8 - originSlot / 8) * 16 - (vertical ? 8 : 0);
        text += QString::asprintf("DC.b $%02X,$%02X,$%02X,$%02X,$%02X\r\n", unsigned(dx & 0xFF),
                                  dx < 0 ? 0x81u : 0x80u, unsigned(dy & 0xFF), unsigned(p.tile),
                                  unsigned(p.attr));
    }
    return text;
}

} // namespace mosaikon::testing
