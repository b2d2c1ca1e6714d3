# Qt settings shared by every Qt target: no bare signal/slot keywords, no
# APIs that Qt 6 deprecated, and no connections without a context object
# where the Qt version knows that switch.
add_library(vaporix_qt_options INTERFACE)
target_compile_definitions(vaporix_qt_options INTERFACE
  QT_NO_KEYWORDS
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_BEFORE=0x060000)
if(Qt6_VERSION VERSION_GREATER_EQUAL 6.7)
  target_compile_definitions(vaporix_qt_options INTERFACE QT_NO_CONTEXTLESS_CONNECT)
endif()
