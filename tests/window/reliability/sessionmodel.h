#pragma once

// What a user's gestures must have made of the window, worked out afresh from the rules the
// user relies on, without any of the program's code: 64 tags and attribute bytes, the origin,
// the tile cursor, the source view, each slot's tile as dropped, and the sprite table text.

#include <QImage>
#include <QString>

#include <array>

namespace mosaikon::reliability {

inline constexpr QRgb SlotGrey = 0xFF404040;  // an empty slot's background
inline constexpr QRgb ViewBlack = 0xFF000000; // the source view's background

// Errors a gesture may end with.
inline constexpr int NoError = 0;
inline constexpr int OverflowError = 6;
inline constexpr int OutOfRangeError = 9;

class SessionModel {
public:
    SessionModel();

    // Gestures. Each returns the error number the gesture must end with, 0 for none; a gesture
    // that fails keeps the steps it finished.
    void pointerAt(float x, float y); // the tile cursor follows the pointer
    int dropTile(int index);          // a tile drag released over a slot
    int dropOrigin(int index);        // the origin button released over a slot
    int click(int index);             // the next flip state
    int mouseDown(int index, int button);
    void loaded(const QString &path, const QImage &view);
    void loadFailed(const QString &path);

    // The sprite table for the flags, or the error building it must end with.
    struct Table {
        int error = NoError;
        QString text;
    };
    Table table(bool horizontal, bool vertical) const;

    const QImage &view() const { return view_; }
    const QString &imagePath() const { return imagePath_; }
    const QString &tag(int index) const { return tags_[slot(index)]; }
    int attr(int index) const { return attrs_[slot(index)]; }
    int origin() const { return origin_; }
    float cursorCol() const { return cursorCol_; }
    float cursorRow() const { return cursorRow_; }
    // What slot `index` shows: its tile mirrored by the flip bits of its attribute byte.
    const QImage &picture(int index) const;

    static bool isSlot(int index) { return index >= 0 && index < 64; }

private:
    static std::size_t slot(int index) { return std::size_t(index); }
    void setTile(int index, const QImage &tile);

    QImage view_;
    QString imagePath_;
    std::array<QString, 64> tags_;
    std::array<int, 64> attrs_{};
    std::array<QImage, 64> tiles_;
    mutable std::array<QImage, 64> shown_;
    mutable std::array<bool, 64> stale_{};
    int origin_ = 0;
    float cursorCol_ = 0;
    float cursorRow_ = 0;
};

} // namespace mosaikon::reliability
