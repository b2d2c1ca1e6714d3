#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "CCaption.h"
#include "CFlatButton.h"
#include "CHyperLink.h"
#include "CStyledGroupBox.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

TEST(caption_test, colours_default_to_the_palette_and_follow_its_changes) {
  CCaption caption(QStringLiteral("Output - All Results [ main properties ]"));
  EXPECT_EQ(caption.backgroundColor(), caption.palette().color(QPalette::Button));
  EXPECT_EQ(caption.textColor(), caption.palette().color(QPalette::ButtonText));

  QPalette palette = caption.palette();
  palette.setColor(QPalette::Button, QColor(10, 20, 30));
  caption.setPalette(palette);
  EXPECT_EQ(caption.backgroundColor(), QColor(10, 20, 30));

  caption.setBackgroundColor(QColor(0, 0, 128));
  caption.setTextColor(QColor(0, 0, 200));
  caption.setPalette(QPalette());
  EXPECT_EQ(caption.backgroundColor(), QColor(0, 0, 128));
  EXPECT_EQ(caption.textColor(), QColor(0, 0, 200));
}

TEST(caption_test, paints_the_fill_colour_inside_the_frame) {
  CCaption caption(QStringLiteral("Title"));
  caption.resize(200, 19);
  caption.setFillColor(QColor(0, 128, 0));
  const QImage image = caption.grab().toImage();
  EXPECT_EQ(image.pixelColor(190, 3), QColor(0, 128, 0));
}

TEST(flat_button_test, shows_hover_and_clicks_only_while_enabled) {
  CFlatButton button;
  button.resize(16, 15);
  QSignalSpy clicks(&button, &CFlatButton::clicked);

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.isHovered());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_FALSE(button.isHovered());

  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
  button.setEnabled(false);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
}

TEST(hyperlink_test, escapes_its_text_and_opens_external_links) {
  CHyperLink link(QStringLiteral("Support & <help>"),
                  QUrl(QStringLiteral("mailto:support@example.org")));
  EXPECT_EQ(link.linkText(), QStringLiteral("Support & <help>"));
  EXPECT_EQ(link.url(), QUrl(QStringLiteral("mailto:support@example.org")));
  EXPECT_TRUE(link.openExternalLinks());
  EXPECT_EQ(
      link.text(),
      QStringLiteral("<a href=\"mailto:support@example.org\">Support &amp; &lt;help&gt;</a>"));
}

TEST(styled_group_box_test, caption_font_does_not_reach_the_children) {
  CStyledGroupBox box(QStringLiteral("Input"));
  auto* layout = new QVBoxLayout(&box);
  auto* label = new QLabel(QStringLiteral("Pressure"));
  layout->addWidget(label);
  box.resize(200, 100);
  box.show();

  const QFont caption = box.captionFont();
  EXPECT_EQ(caption.family(), QStringLiteral("Times New Roman"));
  EXPECT_EQ(caption.pointSize(), 14);
  EXPECT_TRUE(caption.bold());
  EXPECT_TRUE(caption.italic());
  EXPECT_EQ(box.captionColor(), QColor(0, 0, 200));
  EXPECT_EQ(box.fillColor(), QColor(220, 240, 240));

  EXPECT_NE(label->font(), caption);
  // The children are laid out below the caption line.
  EXPECT_GE(label->geometry().top(), QFontMetrics(caption).height());

  const QImage image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(100, 95), QColor(220, 240, 240));
  EXPECT_EQ(image.pixelColor(100, 99), QColor(0, 0, 200));
}

}  // namespace
}  // namespace vaporix
