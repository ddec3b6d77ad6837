#include "harness.h"

#include "core/spritetable.h"
#include "window/module1.h"
#include "window/picturearea.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace mosaikon::reliability {

std::unique_ptr<Form1> startWindow() {
    auto form = Module1::Main();
    if (!QTest::qWaitForWindowExposed(form->windowHandle())) qWarning("the window was not exposed");
    return form;
}

ReportCatcher::ReportCatcher() {
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, &ReportCatcher::closeReport);
    timer_.start();
}

void ReportCatcher::closeReport() {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (box->objectName() != QLatin1String("errorReport") ||
        box->windowTitle() != QLatin1String("Mosaikon"))
        ++strangers_;
    texts_.append(box->text());
    box->done(QMessageBox::Ok);
}

QStringList ReportCatcher::take() {
    return std::exchange(texts_, {});
}

Outcome parseReport(const QString &text) {
    static const QRegularExpression form(QStringLiteral("^Run-time error '(\\d+)':\\n\\n(.+)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) return {-1, text};
    return {match.captured(1).toInt(), match.captured(2)};
}

ScopedDialogFunctions dialogAnswering(const QString &path) {
    const QByteArray bytes = toRecordText(path);
    return ScopedDialogFunctions(
        [bytes](OPENFILENAMEA *rec) { return bytes.isEmpty() ? 0 : answerWithPath(rec, bytes); });
}

Outcome loadByClick(Form1 &form, ReportCatcher &reports, const QString &path) {
    const ScopedDialogFunctions dialog = dialogAnswering(path);
    reports.take();
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, form.Command1->geometry().center());
    const QStringList shown = reports.take();
    if (shown.isEmpty()) return {};
    if (shown.size() > 1) return {-2, shown.join(QLatin1String(" | "))};
    return parseReport(shown.front());
}

Outcome loadByHandler(Form1 &form, const QString &path) {
    const ScopedDialogFunctions dialog = dialogAnswering(path);
    return callHandler([&] { form.Command1_Click(); });
}

Snapshot snapshotOf(const Form1 &form) {
    Snapshot s{form.grid, form.ImagePath, {}, {}};
    for (int i = 0; i < SlotCount; ++i)
        s.viewBorders[std::size_t(i)] = form.SpritePicture1[std::size_t(i)]->BorderStyle();
    for (int flags = 0; flags < 4; ++flags) {
        try {
            s.tables[std::size_t(flags)] = BuildSpriteTable(form.grid, flags & 1, flags & 2);
        } catch (const Error &e) {
            s.tables[std::size_t(flags)] = "error " + std::to_string(e.number());
        }
    }
    return s;
}

QString differenceBetween(const Snapshot &before, const Snapshot &after, Ignore ignore) {
    const SlotGrid &a = before.grid;
    const SlotGrid &b = after.grid;
    for (int i = 0; i < SlotCount; ++i) {
        const auto s = std::size_t(i);
        if (a.slots[s].Tag != b.slots[s].Tag) return QStringLiteral("Tag of slot %1").arg(i);
        if (a.SlotAttr[s] != b.SlotAttr[s]) return QStringLiteral("SlotAttr of slot %1").arg(i);
        if (a.slots[s].BorderStyle != b.slots[s].BorderStyle ||
            before.viewBorders[s] != after.viewBorders[s])
            return QStringLiteral("border of slot %1").arg(i);
        if (!(a.slots[s].picture == b.slots[s].picture))
            return QStringLiteral("picture of slot %1").arg(i);
    }
    if (a.OriginCol != b.OriginCol || a.OriginRow != b.OriginRow) return QStringLiteral("origin");
    if (a.CursorCol != b.CursorCol || a.CursorRow != b.CursorRow) return QStringLiteral("cursor");
    for (std::size_t flags = 0; flags < 4; ++flags)
        if (before.tables[flags] != after.tables[flags])
            return QStringLiteral("export text with flags %1").arg(flags);
    if (ignore != Ignore::SourceAndPath && !(a.source == b.source))
        return QStringLiteral("source view");
    if (ignore == Ignore::Nothing && before.imagePath != after.imagePath)
        return QStringLiteral("ImagePath");
    return {};
}

QPoint slotPoint(const Form1 &form, int index, QPoint at) {
    return form.SpritePicture1.at(std::size_t(index))->mapTo(&form, at);
}

} // namespace mosaikon::reliability
