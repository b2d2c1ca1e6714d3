#include <QApplication>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "CPropertyView.h"
#include "CPropertyViewPage.h"
#include "CVaporixDoc.h"
#include "PagesTestSupport.h"

namespace vaporix {
namespace {

// A page with one edit field that may refuse to be shown or left.
class TestPage : public CPropertyViewPage {
 public:
  TestPage(CVaporixDoc& document, const QString& title)
      : CPropertyViewPage(document, title, QSize(200, 100), nullptr), field(new QLineEdit(this)) {}

  bool OnSetActive() override { return mayShow; }
  bool OnKillActive() override { return mayLeave; }

  QLineEdit* field;
  bool mayShow = true;
  bool mayLeave = true;
};

class PropertyViewTest : public ::testing::Test {
 protected:
  PropertyViewTest() {
    for (const char* title : {"First", "Second", "Third"}) {
      auto* page = new TestPage(document, QString::fromUtf8(title));
      pages.push_back(page);
      view.AddPage(page);
    }
  }

  void PressOnActivePage(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  CVaporixDoc document;
  CPropertyView view;
  std::vector<TestPage*> pages;
};

TEST_F(PropertyViewTest, pages_take_their_titles_and_the_first_stays_current) {
  ASSERT_EQ(view.pageCount(), 3);
  EXPECT_EQ(view.tabText(1), QStringLiteral("Second"));
  EXPECT_EQ(view.activeIndex(), 0);
  EXPECT_EQ(view.activePage(), pages[0]);
  EXPECT_EQ(view.page(3), nullptr);
}

TEST_F(PropertyViewTest, keys_walk_through_three_pages_and_wrap) {
  ASSERT_TRUE(test::ShowActive(view));
  pages[0]->field->setFocus();
  const std::pair<Qt::Key, int> kSteps[] = {
      {Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 0},
      {Qt::Key_PageUp, 2},   {Qt::Key_PageUp, 1},   {Qt::Key_Tab, 2},
  };
  for (const auto& [key, expected] : kSteps) {
    PressOnActivePage(key, Qt::ControlModifier);
    EXPECT_EQ(view.activeIndex(), expected);
    EXPECT_TRUE(pages[static_cast<std::size_t>(expected)]->field->hasFocus());
  }
}

TEST_F(PropertyViewTest, a_page_that_refuses_keeps_the_current_page) {
  ASSERT_TRUE(test::ShowActive(view));
  pages[0]->field->setFocus();
  pages[0]->mayLeave = false;
  PressOnActivePage(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(view.activeIndex(), 0);
  EXPECT_FALSE(view.SetActivePage(2));

  pages[0]->mayLeave = true;
  pages[1]->mayShow = false;
  EXPECT_FALSE(view.SetActivePage(1));
  EXPECT_EQ(view.activeIndex(), 0);
  EXPECT_TRUE(view.SetActivePage(2));
  EXPECT_EQ(view.activePage(), pages[2]);
}

TEST_F(PropertyViewTest, the_view_passes_its_focus_to_the_current_page) {
  ASSERT_TRUE(test::ShowActive(view));
  view.setFocus();
  EXPECT_TRUE(pages[0]->field->hasFocus());
}

TEST_F(PropertyViewTest, a_view_smaller_than_the_page_scrolls) {
  view.resize(pages[0]->templateSize() / 2);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  auto* scroller = qobject_cast<QScrollArea*>(view.currentWidget());
  ASSERT_NE(scroller, nullptr);
  EXPECT_GE(pages[0]->width(), pages[0]->templateSize().width());
  EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace vaporix
