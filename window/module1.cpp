#include "module1.h"

#include "form1.h"

#include <QFont>

namespace mosaikon::Module1 {

std::unique_ptr<Form1> Main() {
    // The origin button asks for its face by name; a free look-alike stands in where it is
    // missing.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    auto form = std::make_unique<Form1>();
    form->show();
    return form;
}

} // namespace mosaikon::Module1
