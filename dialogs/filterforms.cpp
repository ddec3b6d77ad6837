#include "filterforms.h"

namespace mosaikon {
namespace {

const QChar Nul(0);
const QChar Bar('|');

bool endsInTwoNuls(const QString &text) {
    return text.size() >= 2 && text.back() == Nul && text[text.size() - 2] == Nul;
}

} // namespace

QString filterToDialogForm(const QString &userForm) {
    QString dialogForm = userForm;
    dialogForm.replace(Bar, Nul);
    for (int appended = 0; appended < 2 && !endsInTwoNuls(dialogForm); ++appended)
        dialogForm.append(Nul);
    return dialogForm;
}

QString filterToUserForm(const QString &dialogForm) {
    QString userForm = dialogForm;
    userForm.replace(Nul, Bar);
    for (int removed = 0; removed < 2 && userForm.endsWith(Bar); ++removed) userForm.chop(1);
    return userForm;
}

} // namespace mosaikon
