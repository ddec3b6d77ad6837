#pragma once

// A reproducible stream of random user gestures against the real window: pointer moves anywhere,
// presses, clicks and double clicks routed through the window, drops, direct handler calls with
// odd arguments, loads of good and bad files, and exports with every box state. Each gesture is
// also told to an independent SessionModel, and the window is compared with the model after it.

#include "harness.h"
#include "sessionmodel.h"

#include <QList>
#include <QPoint>
#include <QStringList>

#include <map>
#include <optional>
#include <random>
#include <vector>

namespace mosaikon::reliability {

// A picture file for the session and what loading it must come to: an error number, or the
// source view it shows.
struct SheetFile {
    QString path;
    int error = NoError;
    QImage view;
};

class SessionDriver {
public:
    SessionDriver(Form1 &form, ReportCatcher &reports, QList<SheetFile> files, quint64 seed);

    // Runs one random gesture; returns how the window then differs from the model, in words,
    // or an empty text when they agree.
    QString step();

    int gestures() const { return gestures_; }
    // The last gestures, oldest first, for a failure report.
    QStringList recent() const { return log_; }
    // How many gestures of each kind ran, and how many ended with each error.
    QString summary() const;

private:
    // Where a window point lands: the source view, a slot view, or anything else.
    struct Hit {
        enum Kind { View, Slot, Other } kind = Other;
        int slot = -1;
        QPoint local;
    };

    // Gestures.
    void moveByHandler();
    void moveRouted();
    void dropByEvent();
    void dropByHandler();
    void clickRouted();
    void clearOddSlot();
    void doubleClickRouted();
    void pressMoveRelease();
    void slotByHandler();
    void load();
    void exportTable();

    // Pointer events through the window, with what the window makes of them.
    void press(QPoint p, Qt::MouseButton button);
    void release(QPoint p, Qt::MouseButton button);
    void move(QPoint p);
    void pointerMovedTo(QPoint p);
    void pressed(const Hit &hit, Qt::MouseButton button, bool doubleClick);
    Hit hitAt(QPoint p) const;

    // Random choices.
    int below(int n);
    QPoint anyPoint();
    float anyCoordinate();
    int anySlotIndex();
    QString anyTileSourceName();
    Qt::MouseButton anyButton();

    void note(const QString &gesture);
    void expectReport(int error);
    void expectDirect(int error, const Outcome &outcome, const QString &what);
    QString disagreement() const;

    Form1 &form_;
    ReportCatcher &reports_;
    QList<SheetFile> files_;
    SessionModel model_;
    std::mt19937_64 random_;
    std::optional<QPoint> lastPos_;
    std::optional<Hit> grab_;
    Qt::MouseButton clickButton_ = Qt::NoButton;
    bool dragging_ = false;            // a drag from the source view, until its button is released
    std::vector<int> expectedReports_; // (QList<int> == trips UBSan in Qt 6.4 on empty lists)
    QString directMismatch_;
    QString clipboardMismatch_;
    QStringList log_;
    std::map<QString, int> kinds_;
    std::map<int, int> errors_;
    int gestures_ = 0;
};

} // namespace mosaikon::reliability
