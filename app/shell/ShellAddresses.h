#pragma once

#include <QLatin1StringView>

namespace vaporix {

// Links of the program lead to its own help pages: "help:PAGE" opens PAGE
// of the help folder in the help window (the main window handles the
// scheme), so that no address outside the program is ever shown.
inline constexpr QLatin1StringView kHelpScheme("help");
inline constexpr QLatin1StringView kHelpContentsUrl("help:index.html");
inline constexpr QLatin1StringView kReportingPageUrl("help:reporting.html");
inline constexpr QLatin1StringView kNewsPageUrl("help:news.html");

}  // namespace vaporix
