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

namespace mosaikon::testing {

std::unique_ptr<Form1> startWindow() {
    auto form = Module1::Main();
    if (!QTest::qWaitForWindowExposed(form->windowHandle()))
        QTest::qFail("the window was not exposed", __FILE__, __LINE__);
    return form;
}

// The last message box `gesture` showed, as its caption, text and object name; empty for none.
static QStringList lastReport(const std::function<void()> &gesture) {
    QStringList report;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&report] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            report = {box->windowTitle(), box->text(), box->objectName()};
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(5);
    gesture();
    return report;
}

QString reportDuring(const std::function<void()> &gesture) {
    const QStringList report = lastReport(gesture);
    return report.isEmpty() ? QString() : report[0] + QStringLiteral(": ") + report[1];
}

int reportedError(const std::function<void()> &gesture) {
    const QStringList report = lastReport(gesture);
    if (report.isEmpty()) return 0;
    static const QRegularExpression form(QStringLiteral("^Run-time error '(\\d+)':\n\n\\S"));
    const QRegularExpressionMatch match = form.match(report[1]);
    return match.hasMatch() && report[2] == QLatin1String("errorReport") ? match.captured(1).toInt()
                                                                         : -1;
}

void dropControl(QWidget *target, const QByteArray &source) {
    QMimeData data;
    data.setData(controlMimeType(), source);
    QDropEvent drop(QPointF(32, 32), Qt::CopyAction, &data, Qt::LeftButton, {});
    static_cast<QObject *>(target)->event(&drop);
}

} // namespace mosaikon::testing
