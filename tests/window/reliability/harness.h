#pragma once

// What the reliability tests share: the started window, the error reports it shows (closed as a
// user would close them), "Load Image" with the open dialog answered, and a full picture of the
// user's arrangement to compare before and after a gesture.

#include "core/error.h"
#include "core/slotgrid.h"
#include "dialogs/dialogseam.h"
#include "window/form1.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <memory>
#include <string>

namespace mosaikon::reliability {

// The window as the program starts it, shown and exposed.
std::unique_ptr<Form1> startWindow();

// While it lives, closes every modal error report as soon as it shows and keeps its text.
class ReportCatcher : public QObject {
public:
    ReportCatcher();

    // The texts of the reports closed since the last take, oldest first.
    QStringList take();
    // Reports that were not the program's error report (wrong name or caption).
    int strangers() const { return strangers_; }

private:
    void closeReport();

    QTimer timer_;
    QStringList texts_;
    int strangers_ = 0;
};

// How one gesture ended: error 0 when it finished, else the error's number and description.
struct Outcome {
    int error = 0;
    QString description;
};

// The error number and description of a report text "Run-time error 'N':\n\nDescription";
// error -1 when the text has another form.
Outcome parseReport(const QString &text);

// Puts an open dialog in place that confirms `path` (cancels for an empty path) while it lives.
ScopedDialogFunctions dialogAnswering(const QString &path);

// "Load Image" with the open dialog confirming `path` (an empty path cancels it).
// loadByClick presses the button through the window, so errors go to the window's report;
// loadByHandler calls Form1::Command1_Click and catches what leaves it.
Outcome loadByClick(Form1 &form, ReportCatcher &reports, const QString &path);
Outcome loadByHandler(Form1 &form, const QString &path);

// Runs `handler` as the window's events do not: directly, catching the error that leaves it.
template<class F> Outcome callHandler(F &&handler) {
    try {
        handler();
    } catch (const Error &e) {
        return {e.number(), QString::fromStdString(e.description())};
    }
    return {};
}

// Everything the user has built and sees: the slot grid with its pictures, cursor, origin and
// source view, the border each slot view shows, ImagePath, and the export text for every pair
// of adjustment flags (or the export's error number).
struct Snapshot {
    SlotGrid grid;
    QString imagePath;
    std::array<int, SlotCount> viewBorders{};
    std::array<std::string, 4> tables;
};

Snapshot snapshotOf(const Form1 &form);

// The first difference between two snapshots, in words; empty when they agree. Parts of the
// state a gesture may change by design can be left out of the comparison.
enum class Ignore { Nothing, ImagePath, SourceAndPath };
QString differenceBetween(const Snapshot &before, const Snapshot &after,
                          Ignore ignore = Ignore::Nothing);

// A slot view's window coordinates at (x, y) inside it; the centre of a source-view cell.
QPoint slotPoint(const Form1 &form, int index, QPoint at = {32, 32});

} // namespace mosaikon::reliability
