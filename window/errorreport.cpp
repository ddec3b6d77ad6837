#include "errorreport.h"

#include <QMessageBox>

namespace mosaikon {

void reportError(QWidget *window, const Error &error) {
    const QString text = QStringLiteral("Run-time error '%1':\n\n%2")
                             .arg(error.number())
                             .arg(QString::fromStdString(error.description()));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Mosaikon"), text, QMessageBox::Ok,
                    window);
    box.setObjectName(QStringLiteral("errorReport"));
    box.exec();
}

} // namespace mosaikon
