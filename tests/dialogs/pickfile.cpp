// Shows the system open dialog for real: a main window with a button, then GetOpenFileNameA
// titled "Pick a sheet" with no owner, starting in the folder given as the only argument. Prints
// "clicked" whenever the button is pressed (also while the dialog waits), then the dialog's
// result and what it wrote into the record, one "key=value" line each.

#include "dialogs/dialogrecord.h"
#include "dialogs/filterforms.h"
#include "dialogs/openfilename.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>

int main(int argc, char *argv[]) {
    using namespace mosaikon;
    QApplication app(argc, argv);
    if (argc != 2) return 2;

    QPushButton button(QStringLiteral("Main window"));
    QObject::connect(&button, &QPushButton::clicked, [] {
        std::puts("clicked");
        std::fflush(stdout);
    });
    button.setGeometry(1000, 900, 200, 100);
    button.show();

    DialogRecord record({.filter = filterToDialogForm(QStringLiteral("Images|*.gif;*.jpg|All|*.*")),
                         .filterIndex = 2,
                         .initDir = QString::fromLocal8Bit(argv[1]),
                         .title = QStringLiteral("Pick a sheet")});
    OPENFILENAMEA *rec = record.record();
    const int result = GetOpenFileNameA(rec);
    std::printf("result=%d\nfile=%s\ntitle=%s\next=%u\noffset=%u\nfilter=%u\n", result,
                rec->lpstrFile, rec->lpstrFileTitle, rec->nFileExtension, rec->nFileOffset,
                rec->nFilterIndex);
    return 0;
}
