#pragma once

#include <QLatin1StringView>

namespace vaporix {

// The maker's addresses, opened through the desktop's mail and web handlers.
inline constexpr QLatin1StringView kProductPageUrl("https://example.org/vaporix");
inline constexpr QLatin1StringView kWebSiteUrl("https://example.org");
inline constexpr QLatin1StringView kWebSiteText("www.example.org");
inline constexpr QLatin1StringView kNewsPageUrl("https://example.org/vaporix/news");
inline constexpr QLatin1StringView kSupportMailUrl("mailto:support@example.org");

}  // namespace vaporix
