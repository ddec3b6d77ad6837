#pragma once

// What the window tests share: the started window, the user's gestures on it (routed through the
// window as the platform delivers them), scripted answers to the open dialog, the error report,
// and the pictures and tables the tests expect, computed here from first principles.

#include "core/slotgrid.h"
#include "dialogs/dialogseam.h"
#include "tests/support/picturecompare.h"
#include "window/adjustmentbox.h"
#include "window/form1.h"
#include "window/originbutton.h"
#include "window/picturearea.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

namespace mosaikon::testing {

// The slot views' background.
inline constexpr QRgb SlotGrey = 0xFF404040;

// The window as the program starts it, shown and exposed.
std::unique_ptr<Form1> startWindow();

// Window coordinates of a point `at` inside slot view `index`, and of the centre of a cell of the
// source view.
QPoint slotPoint(Form1 &form, int index, QPoint at = {32, 32});
QPoint cellCentre(int col, int row);

// Pointer gestures routed through the window to the control under the point. The test library
// takes the point (0, 0) for the window's centre, so it cannot be reached this way.
void press(Form1 &form, QPoint where, Qt::MouseButton button = Qt::LeftButton);
void release(Form1 &form, QPoint where, Qt::MouseButton button = Qt::LeftButton);
void click(Form1 &form, QPoint where, Qt::MouseButton button = Qt::LeftButton);
void moveTo(Form1 &form, QPoint where);

// The release of a drag of the control named `source` over slot view `index`, at `at` in it.
void dropOn(Form1 &form, int index, const QString &source, QPointF at = {32, 32});

// A whole tile drag: the pointer moves to `from` in the source view, presses there (the drag
// begins) and is released over slot view `index`.
void dragTile(Form1 &form, QPoint from, int index);

// What an error report said; all empty when none showed.
struct Report {
    QString caption;
    QString text;
    QString name;
};

// Runs `gesture`, closing every error report it shows; returns the last report's contents.
Report reportDuring(const std::function<void()> &gesture);

// "Load Image" with the open dialog answered by `answer`; returns the error report it showed.
// An open dialog that confirms `path`.
Report loadWith(Form1 &form, FileDialogFunction answer);
FileDialogFunction choosing(const QString &path);

// "Load Image" confirming `path`, which must load: an error report fails the test.
void loadSheet(Form1 &form, const QString &path);

// A slot's Tag and attribute byte.
QString tagOf(const Form1 &form, int index);
int attrOf(const Form1 &form, int index);

QImage slotImage(const Form1 &form, int index);
QImage filled(int width, int height, QRgb colour);
QString clipboardText();
void putOnClipboard(const QString &text);

// The 64 x 64 slot picture of sheet cell (col, row), each sheet pixel a 4 x 4 block, black where
// the sheet ends; and the 256 x 256 view of a sheet: its top-left 128 x 128 pixels, each a 2 x 2
// block, black where the sheet ends.
QImage expectedTile(const QImage &sheet, int col, int row);
QImage expectedView(const QImage &sheet);

// The first difference between two grid states, told in words; empty when they agree.
QString gridDifference(const SlotGrid &before, const SlotGrid &after);

// One used slot of an arrangement, for the reference sprite table.
struct Placed {
    int slot;
    int tile;
    int attr;
};

// The sprite table as the user expects it: a count line, then one line per used slot in slot
// order, offsets in pixels from the origin slot (16 a slot, less 8 on an adjusted axis).
QString referenceTable(QList<Placed> used, int originSlot, bool horizontal, bool vertical);

} // namespace mosaikon::testing
