// The floors that the program's start-up is measured against: a Qt Widgets top-level window of the
// program's client size and caption, shown and left running. Built three times: `emptywindow`
// holds nothing; `textwindow` (MOSAIKON_BENCH_TEXT_CONTROLS) holds one push button and one check
// box with text, because the first caption loads fonts, a start-up cost any program with captions
// pays; `slotwindow` (also MOSAIKON_BENCH_SLOT_WIDGETS) adds 64 plain child widgets where the slot
// views are, to show what 64 widgets cost by themselves.

#include <QApplication>
#include <QWidget>
#ifdef MOSAIKON_BENCH_TEXT_CONTROLS
#include <QCheckBox>
#include <QPushButton>
#endif

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Mosaikon"));
    window.resize(779, 513);
#ifdef MOSAIKON_BENCH_TEXT_CONTROLS
    auto *button = new QPushButton(QStringLiteral("Load Image"), &window);
    button->setGeometry(0, 256, 257, 49);
    auto *check =
        new QCheckBox(QStringLiteral("Vertical adjustment for odd number of tiles"), &window);
    check->setGeometry(8, 368, 137, 41);
#endif
#ifdef MOSAIKON_BENCH_SLOT_WIDGETS
    for (int i = 0; i < 64; ++i)
        (new QWidget(&window))->setGeometry(264 + 64 * (i % 8), 64 * (i / 8), 64, 64);
#endif
    window.show();
    return QApplication::exec();
}
