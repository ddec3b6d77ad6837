#include "form1.h"

#include "adjustmentbox.h"
#include "clipboard.h"
#include "commandbutton.h"
#include "controldrag.h"
#include "errorreport.h"
#include "gridoverlay.h"
#include "originbutton.h"
#include "picturearea.h"
#include "pictureloader.h"
#include "slotdescription.h"

#include "opensave.h"
#include "spritetable.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QResource>

namespace mosaikon {

namespace {

constexpr int ClientWidth = 779;
constexpr int ClientHeight = 513;
constexpr int SlotsLeft = 264;

// The window icon from the program's raw RGBA resources, wrapped without decoding; empty where a
// program carries no such resources (the tests, and Windows, where the program file's own icon
// is the window's).
QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        const QResource raw(QStringLiteral(":/icons/mosaikon-%1.rgba").arg(size));
        const QByteArray bytes = raw.uncompressedData();
        if (bytes.size() != qsizetype(size) * size * 4) continue;
        const QImage image(reinterpret_cast<const uchar *>(bytes.constData()), size, size,
                           QImage::Format_RGBA8888);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QPushButton *makeButton(const char *name, const char *caption, QRect geometry, QWidget *parent) {
    auto *button =
        new CommandButton(QString::fromLatin1(name), QString::fromLatin1(caption), parent);
    button->setGeometry(geometry);
    return button;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , model_(std::make_shared<SlotGrid>())
    , grid(*model_) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Mosaikon"));
    if (const QIcon icon = programIcon(); !icon.isNull()) setWindowIcon(icon);
    setFixedSize(ClientWidth, ClientHeight);
    createControls();
    connectHandlers();
    setTabOrder();
}

std::shared_ptr<const PixelSurface> Form1::shared(const PixelSurface &surface) const {
    return {model_, &surface};
}

void Form1::createControls() {
    Picture1 = new PictureArea(QStringLiteral("Picture1"), shared(grid.source), this);
    Picture1->move(0, 0);
    Picture1->setMouseTracking(true);
    Picture1->setAutomaticDrag(tileDragImage, TileDragHotSpot);
    Picture1->setAccessibleTexts([] { return QStringLiteral("Sprite sheet"); },
                                 [this] { return sheetDescription(); });
    Image1 = new GridOverlay(Picture1);

    for (int i = 0; i < SlotCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        auto *view = new PictureArea(QStringLiteral("SpritePicture1"),
                                     shared(grid.slots[slot].picture), this);
        view->move(SlotsLeft + SlotSize * (i % SlotColumns), SlotSize * (i / SlotColumns));
        view->setAcceptDrops(true);
        view->setAccessibleTexts([i] { return slotAccessibleName(i); },
                                 [this, i] { return slotAccessibleDescription(grid, i); });
        SpritePicture1[slot] = view;
    }

    Command1 = makeButton("Command1", "Load Image", {0, 256, 257, 49}, this);
    Command3 = makeButton("Command3", "ASM Sprite Table to Clipboard", {0, 312, 257, 49}, this);
    Check1 = new AdjustmentBox(QStringLiteral("Check1"),
                               QStringLiteral("Vertical adjustment for odd number of tiles"), this);
    Check1->setGeometry(8, 368, 137, 41);
    Command4 = new OriginButton(this);
    Command4->setGeometry(160, 368, 41, 45);
    Check2 =
        new AdjustmentBox(QStringLiteral("Check2"),
                          QStringLiteral("Horizontal adjustment for odd number of tiles"), this);
    Check2->setGeometry(8, 416, 137, 41);
}

void Form1::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this,
            [this] { runHandler(this, [this] { Command1_Click(); }); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { runHandler(this, [this] { Command3_Click(); }); });
    connect(Picture1, &PictureArea::mouseMove, this,
            [this](int button, int shift, float x, float y) {
                runHandler(this, [&] { Picture1_MouseMove(button, shift, x, y); });
            });
    for (int i = 0; i < SlotCount; ++i) {
        PictureArea *view = slotView(i);
        connect(view, &PictureArea::dragDropped, this,
                [this, i](const QString &source, float x, float y) {
                    runHandler(this, [&] { SpritePicture1_DragDrop(i, source, x, y); });
                });
        connect(view, &PictureArea::clicked, this,
                [this, i] { runHandler(this, [&] { SpritePicture1_Click(i); }); });
        connect(view, &PictureArea::mouseDown, this,
                [this, i](int button, int shift, float x, float y) {
                    runHandler(this, [&] { SpritePicture1_MouseDown(i, button, shift, x, y); });
                });
    }
}

void Form1::setTabOrder() {
    // Focus order: the source view, slot 0, Load Image, slots 1..63, then export, the vertical
    // box, the origin button and the horizontal box.
    QList<QWidget *> order{Picture1, slotView(0), Command1};
    for (int i = 1; i < SlotCount; ++i) order.append(slotView(i));
    order.append({Command3, Check1, Command4, Check2});
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

PictureArea *Form1::slotView(int index) const {
    return SpritePicture1.at(static_cast<std::size_t>(index));
}

void Form1::showBorders() {
    for (int i = 0; i < SlotCount; ++i) {
        PictureArea *view = slotView(i);
        const int style = grid.slots[static_cast<std::size_t>(i)].BorderStyle;
        if (view->BorderStyle() == style) continue;
        view->setBorderStyle(style);
        view->descriptionChanged();
    }
}

void Form1::showSlot(int index) {
    slotView(index)->refresh();
    slotView(index)->descriptionChanged();
}

QString Form1::sheetDescription() const {
    if (shownSheet_.isEmpty()) return QStringLiteral("No picture loaded; drag a tile onto a slot");
    return QStringLiteral("%1: its top-left 128 by 128 pixels, enlarged twice").arg(shownSheet_);
}

void Form1::showEvent(QShowEvent *event) {
    if (!loaded_) {
        loaded_ = true;
        runHandler(this, [this] { Form_Load(); });
    }
    QWidget::showEvent(event);
}

void Form1::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program, even while a load waits for its dialog.
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}

void Form1::Form_Load() {
    grid.slots[0].BorderStyle = 1;
    showBorders();
}

void Form1::Command1_Click() {
    OpenSave dialog;
    dialog.setFilter(QStringLiteral("Images|*.gif;*.jpg;*.bmp"));
    dialog.ShowOpen();
    QString path = dialog.FileName();
    const qsizetype nul = path.indexOf(QChar(0));
    if (nul >= 0) path.truncate(nul);
    if (path.isEmpty()) return;
    ImagePath = path;
    grid.showSheet(loadSheetPicture(ImagePath));
    Picture1->refresh();
    shownSheet_ = ImagePath;
    Picture1->descriptionChanged();
}

void Form1::Command3_Click() {
    const bool horizontal = Check2->value() == 1;
    const bool vertical = Check1->value() == 1;
    putClipboardText(BuildSpriteTable(grid, horizontal, vertical));
}

void Form1::Picture1_MouseMove(int, int, float x, float y) {
    grid.moveCursor(x, y);
}

void Form1::SpritePicture1_DragDrop(int index, const QString &source, float, float) {
    if (source == QLatin1String(OriginButtonName)) {
        grid.setOrigin(index);
        showBorders();
        return;
    }
    grid.placeTile(index);
    showSlot(index);
}

void Form1::SpritePicture1_Click(int index) {
    grid.cycleFlip(index);
    showSlot(index);
}

void Form1::SpritePicture1_MouseDown(int index, int button, int, float, float) {
    if (button != 2) return;
    grid.clear(index);
    showSlot(index);
}

} // namespace mosaikon
