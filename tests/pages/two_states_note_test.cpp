#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "CPageGeneral.h"
#include "CVaporixDoc.h"
#include "PagesTestSupport.h"

namespace vaporix {
namespace {

using Handler = GridDisplayHandler;

constexpr int kTH = 5;  // (t, h) in the page's function list
constexpr int kPH = 1;
constexpr int kOnly = 0;
constexpr int kKelvin = 1;
constexpr int kMPa = 1;

class two_states_note_test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::UseDotDecimalLocale(); }

  // Follows the note's link whose text contains `text`, as a click on it does.
  static void FollowLink(CPageGeneral& page, const QString& text) {
    const QRegularExpression anchor(QStringLiteral("<a href=\"([^\"]+)\">([^<]*)</a>"));
    for (const QRegularExpressionMatch& match : anchor.globalMatch(page.noteLabel().text())) {
      if (match.captured(2).contains(text)) {
        Q_EMIT page.noteLabel().linkActivated(match.captured(1));
        return;
      }
    }
    ADD_FAILURE() << "no link with " << text.toStdString() << " in "
                  << page.noteLabel().text().toStdString();
  }

  static QString Shown(const CPageGeneral& page, int row) {
    return page.grid().cellText(row, Handler::kResultColumn);
  }

  CVaporixDoc document;
  test::CapturingMessages messages;
};

// (t, h) = (279.45 K, 69.13 kJ/kg) is liquid at 44.3 MPa (the page's answer)
// or wet at 0.95 kPa: the note names the wet state, its link shows it, and
// the note then leads back.
TEST_F(two_states_note_test, note_offers_the_second_state_and_the_way_back) {
  CPageGeneral page(document);
  page.resize(900, 700);
  test::SelectFunction(page, kTH);
  test::SelectUnits(page, kKelvin, kOnly);
  test::PickGridUnit(page, Handler::kPressureRow, QStringLiteral("MPa"));
  test::TypeInputs(page, QStringLiteral("279.45"), QStringLiteral("69.13"));
  test::PressCalculate(page);
  ASSERT_TRUE(page.hasResults());
  ASSERT_EQ(page.statesWithSameInputs().size(), 2U);
  const StateProperties liquid = page.statesWithSameInputs()[0].state;
  const StateProperties wet = page.statesWithSameInputs()[1].state;
  EXPECT_NEAR(liquid.p, 44.25, 0.01);
  EXPECT_NEAR(wet.p, 0.000955, 1e-6);
  EXPECT_EQ(Shown(page, Handler::kPressureRow), Handler::FormatValue(liquid.p));

  const QString wetText = QStringLiteral("p = %1 MPa, x = %2 %")
                              .arg(Handler::FormatValue(wet.p), Handler::FormatValue(wet.x));
  EXPECT_FALSE(page.noteLabel().isHidden());
  EXPECT_TRUE(
      page.noteLabel().text().startsWith(QStringLiteral("A second state has the same (t, h): ")));
  EXPECT_TRUE(page.noteLabel().text().contains(wetText)) << page.noteLabel().text().toStdString();
  // The grid makes room for the note's line.
  EXPECT_LE(page.grid().geometry().bottom(), page.noteLabel().geometry().top());

  FollowLink(page, wetText);
  EXPECT_EQ(page.shownState(), 1U);
  EXPECT_EQ(Shown(page, Handler::kPressureRow), Handler::FormatValue(wet.p));
  EXPECT_EQ(Shown(page, Handler::kQualityRow), Handler::FormatValue(wet.x));
  EXPECT_EQ(page.result().state.region, 4);
  EXPECT_TRUE(page.noteLabel().text().startsWith(
      QStringLiteral("Another state with the same (t, h) is shown; back to ")));

  // In bar, as the grid then shows it.
  test::PickGridUnit(page, Handler::kPressureRow, QStringLiteral("bar"));
  const QString back = QStringLiteral("p = %1 bar").arg(Handler::FormatValue(liquid.p * 10.0));
  EXPECT_TRUE(page.noteLabel().text().contains(back)) << page.noteLabel().text().toStdString();
  FollowLink(page, back);
  EXPECT_EQ(page.shownState(), 0U);
  EXPECT_EQ(Shown(page, Handler::kPressureRow), Handler::FormatValue(liquid.p * 10.0));
  EXPECT_TRUE(page.noteLabel().text().startsWith(QStringLiteral("A second state")));

  // English units: the note follows.
  test::ClickEnglish(page);
  EXPECT_TRUE(page.noteLabel().text().contains(QStringLiteral(" psi")))
      << page.noteLabel().text().toStdString();
}

TEST_F(two_states_note_test, no_note_for_a_unique_state_or_after_reset) {
  CPageGeneral page(document);
  test::SelectFunction(page, kTH);
  test::SelectUnits(page, kKelvin, kOnly);
  test::TypeInputs(page, QStringLiteral("279.45"), QStringLiteral("69.13"));
  test::PressCalculate(page);
  ASSERT_FALSE(page.noteLabel().isHidden());

  test::SelectFunction(page, kPH);
  test::SelectUnits(page, kMPa, kOnly);
  test::TypeInputs(page, QStringLiteral("1"), QStringLiteral("1000"));
  test::PressCalculate(page);
  EXPECT_EQ(page.statesWithSameInputs().size(), 1U);
  EXPECT_TRUE(page.noteLabel().isHidden());

  test::SelectFunction(page, kTH);
  test::SelectUnits(page, kKelvin, kOnly);
  test::TypeInputs(page, QStringLiteral("279.45"), QStringLiteral("69.13"));
  test::PressCalculate(page);
  ASSERT_FALSE(page.noteLabel().isHidden());
  page.ResetPage();
  EXPECT_TRUE(page.noteLabel().isHidden());
}

}  // namespace
}  // namespace vaporix
