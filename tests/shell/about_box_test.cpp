#include <QLabel>

#include "CAboutDlg.h"
#include "CHyperLink.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

TEST(about_box_test, shows_version_and_links_to_the_maker) {
  CAboutDlg about;
  EXPECT_EQ(about.windowTitle(), "About Vaporix");
  const auto* version = about.findChild<QLabel*>("versionLabel");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), "Vaporix Version 2.2");
  // No placeholder address: both links lead into the program's help.
  EXPECT_EQ(about.productLink().url(), QUrl("help:index.html"));
  EXPECT_EQ(about.webSiteLink().url(), QUrl("help:reporting.html"));
  EXPECT_FALSE(about.findChild<QLabel*>("rightsLabel")->text().isEmpty());
}

}  // namespace
}  // namespace vaporix
