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
  EXPECT_EQ(about.productLink().linkText(), "Vaporix");
  EXPECT_EQ(about.productLink().url(), QUrl("https://example.org/vaporix"));
  EXPECT_EQ(about.webSiteLink().url(), QUrl("https://example.org"));
  EXPECT_EQ(about.webSiteLink().url().host(), "example.org");
  EXPECT_FALSE(about.findChild<QLabel*>("rightsLabel")->text().isEmpty());
}

}  // namespace
}  // namespace vaporix
