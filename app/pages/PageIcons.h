#pragma once

#include <QIcon>

namespace vaporix {

// The tab pictures of the input pages, drawn at any size with the outline in
// the application palette's text colour, so that they read on light and
// dark desktops alike: a thermometer for the single-phase page, a vessel of
// boiling water for the saturation page, a chart for the diagram page.
QIcon SinglePhasePageIcon();
QIcon SaturationPageIcon();
QIcon DiagramPageIcon();

}  // namespace vaporix
