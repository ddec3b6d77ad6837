#pragma once

#include "slotgrid.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QPushButton;

namespace mosaikon {

class AdjustmentBox;
class GridOverlay;
class OriginButton;
class PictureArea;

// The one window: the source view with its grid, the 64 slot views, the load and export
// buttons, the origin button and the two adjustment boxes, at fixed pixel places in a 779 x 513
// client area. It owns the slot grid and answers each gesture with the handler of the same name;
// every handler runs through the top-level error report, so no error ends the program.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

private:
    // The views are child widgets, ended by QWidget after this object's members: each view shares
    // the ownership of the model whose surface it paints, so the model outlives them all.
    std::shared_ptr<SlotGrid> model_;

public:
    using SlotViews = std::array<PictureArea *, SlotCount>;

    // The window's state and controls, by the names the handlers use.
    SlotGrid &grid;             // slots, attribute bytes, cursor, origin
    QString ImagePath;          // path of the last sheet chosen to load
    PictureArea *Picture1;      // the source view: the sheet, enlarged twice
    GridOverlay *Image1;        // the 32-pixel grid drawn over Picture1
    SlotViews SpritePicture1{}; // the 64 slot views, 8 x 8
    QPushButton *Command1;      // "Load Image"
    QPushButton *Command3;      // "ASM Sprite Table to Clipboard"
    AdjustmentBox *Check1;      // vertical adjustment (8 pixels off dy)
    OriginButton *Command4;     // "0", dragged onto the origin slot
    AdjustmentBox *Check2;      // horizontal adjustment (8 pixels off dx)

    // Handlers, as the window's events call them.
    void Form_Load();
    void Command1_Click();
    void Command3_Click();
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void SpritePicture1_DragDrop(int index, const QString &source, float x, float y);
    void SpritePicture1_Click(int index);
    void SpritePicture1_MouseDown(int index, int button, int shift, float x, float y);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void setTabOrder();
    void showBorders();
    void showSlot(int index);
    QString sheetDescription() const;
    PictureArea *slotView(int index) const;
    std::shared_ptr<const PixelSurface> shared(const PixelSurface &surface) const;

    bool loaded_ = false;
    QString shownSheet_; // the path of the sheet the source view shows; empty before the first
};

} // namespace mosaikon
