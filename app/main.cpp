#include "clipboard.h"
#include "form1.h"
#include "module1.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mosaikon"));
    QApplication::setApplicationVersion(QStringLiteral(MOSAIKON_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral("mosaikon"));
    const auto window = mosaikon::Module1::Main();
    const int status = QApplication::exec();
    mosaikon::keepClipboardAfterExit();
    return status;
}
