#pragma once

#include "core/slotgrid.h"

#include <QString>
#include <QWidget>

#include <array>

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

    // The window's state and controls, by the names the handlers use.
    SlotGrid grid;
    QString ImagePath;
    PictureArea *Picture1;
    GridOverlay *Image1;
    std::array<PictureArea *, SlotCount> SpritePicture1{};
    QPushButton *Command1;
    QPushButton *Command3;
    AdjustmentBox *Check1;
    OriginButton *Command4;
    AdjustmentBox *Check2;

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

    bool loaded_ = false;
    QString shownSheet_; // the path of the sheet the source view shows; empty before the first
};

} // namespace mosaikon
