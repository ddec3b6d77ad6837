#include "windowdriver.h"

#include "controldrag.h"
#include "module1.h"

#include <QApplication>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <optional>

namespace mosaikon::testing {

std::unique_ptr<Form1> startWindow() {
    auto form = Module1::Main();
    if (!QTest::qWaitForWindowExposed(form->windowHandle()))
        QTest::qFail("the window was not exposed", __FILE__, __LINE__);
    return form;
}

struct Report {
    QString caption, text, name;
};

// The last message box `gesture` showed, or nothing.
static std::optional<Report> lastReport(const std::function<void()> &gesture) {
    std::optional<Report> report;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&report] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        report = Report{box->windowTitle(), box->text(), box->objectName()};
        box->done(QMessageBox::Ok);
    });
    closer.start(5);
    gesture();
    return report;
}

QString reportDuring(const std::function<void()> &gesture) {
    const std::optional<Report> report = lastReport(gesture);
    return report ? report->caption + QStringLiteral(": ") + report->text : QString();
}

int reportedError(const std::function<void()> &gesture) {
    const std::optional<Report> report = lastReport(gesture);
    if (!report) return 0;
    static const QRegularExpression form(QStringLiteral("^Run-time error '(\\d+)':\n\n\\S"));
    const QRegularExpressionMatch match = form.match(report->text);
    const bool ours = match.hasMatch() && report->name == QLatin1String("errorReport");
    return ours ? match.captured(1).toInt() : -1;
}

void dropControl(QWidget *target, const QByteArray &source) {
    QMimeData data;
    data.setData(controlMimeType(), source);
    QDropEvent drop(QPointF(32, 32), Qt::CopyAction, &data, Qt::LeftButton, {});
    static_cast<QObject *>(target)->event(&drop);
}

} // namespace mosaikon::testing
