#pragma once

#include "ui/Dialogs.h"

#include <QStringList>

namespace tools {

// How the tests and the product's tools answer a question no one is there to answer: edits
// not applied are discarded and an unfamiliar image is opened, as the editor behaved before
// it asked; any other question gets its last button.
inline int unattendedAnswer(const QStringList& buttons) {
    for (const QString& answer : {ui::kDiscardButton, ui::kOpenAnywayButton})
        if (buttons.contains(answer))
            return int(buttons.indexOf(answer));
    return int(buttons.size() - 1);
}

} // namespace tools
