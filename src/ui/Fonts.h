#pragma once

#include <QFont>

namespace ui {

// Tahoma 8.25 point, registered from Debian's fonts-wine when it is installed; without it
// the platform's default sans-serif face stands in.
QFont windowFont();

} // namespace ui
