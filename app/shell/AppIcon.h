#pragma once

#include <QIcon>

namespace vaporix {

// The program's icon, a drop of water, drawn in 16, 32 and 48 pixel sizes.
QIcon ApplicationIcon();

}  // namespace vaporix
