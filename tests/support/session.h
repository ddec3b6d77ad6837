#pragma once

// A session of random gestures on the window, each told to a small model of what the window must
// show, built from the rules the user relies on alone; and how the window differs from it.

#include "form1.h"
#include "imagefiles.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>
#include <random>
#include <utility>

namespace mosaikon {
class PictureArea;
}

namespace mosaikon::testing {

constexpr int View = -1, Elsewhere = -2; // what a point is on, if not a slot (its index)

struct Session {
    Form1 &form;
    std::mt19937_64 random;
    QList<std::pair<QString, int>> files; // to load, with what loading must end as (hostilefiles.h)
    // The model; tiles as dropped, before any flip.
    QList<QString> tags = QList<QString>(SlotCount);
    QList<int> attrs = QList<int>(SlotCount, 0);
    // A null picture is one the test cannot know (see load) and is not compared.
    QList<QImage> tiles = QList<QImage>(SlotCount, emptySlot());
    int origin = 0;
    QPoint cursor = {};
    QImage view = viewOf({});
    std::optional<QPoint> last = {}; // where the platform last saw the pointer
    QString exported = {};           // the table of the last export, on the clipboard since

    // One random gesture; returns the error number its report must name, 0 for none.
    int gesture();
    // "Load Image" of `file` (an empty path cancels); returns the error number its report must
    // name. The view shows the picture as the test decodes it itself; one it cannot (a header
    // claiming more than a whole decode may take) leaves the view unknown, and with it the tiles
    // dropped from it, until they are replaced.
    int load(const std::pair<QString, int> &file);

    PictureArea *slotView(int i) const { return form.SpritePicture1.at(std::size_t(i)); }
    // Slot `i` as it must show: its tile mirrored by its attribute (bits 6 and 7).
    QImage shown(int i) const { return tiles[i].mirrored(attrs[i] & 0x40, attrs[i] & 0x80); }
    // The table the export must put on the clipboard.
    QString table() const;

private:
    int below(int n) { return int(random() % quint64(n)); }
    int hitAt(QPoint p) const;
    QPoint anyPoint();
    int moved(QPoint p, int control);
    void pointAt(QPoint p);
    int pressRelease(QPoint from, QPoint to, Qt::MouseButton button);
    int doubleClick(QPoint p, Qt::MouseButton button);
    int pressed(QPoint from, QPoint to, Qt::MouseButton button, bool again);
    int drop(int slot, bool isOrigin);
    int exportTable();
};

// How the window differs from the model, in words ("slot 5", "source view", "clipboard"), or
// an empty text when it does not.
QString difference(const Session &s);

// One random gesture, or the load of `file` where one is given; how the window then differs from
// the model, in words, or nothing.
QString step(Session &session, const std::pair<QString, int> *file = nullptr);

} // namespace mosaikon::testing
