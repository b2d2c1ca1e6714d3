#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <optional>

#include "CNumericEdit.h"
#include "CNumericValidator.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

struct ReadCase {
  const char* text;
  bool negativeAllowed;
  std::optional<double> expected;  // nullopt: kept as typed, shown invalid
};

// What engineers type is taken as written or refused as a whole.
TEST(numeric_validator_test, reads_numbers_as_written_or_not_at_all) {
  CNumericValidator validator;
  validator.setLocale(QLocale::c());
  const ReadCase cases[] = {
      {"0", false, 0.0},
      {"273.15", false, 273.15},
      {"1.", false, 1.0},
      {".25", false, 0.25},
      {"1e-3", false, 1e-3},
      {"2.5E+2", false, 250.0},
      {"+4", false, 4.0},
      {"123456789.123456789", false, 123456789.123456789},  // no digit limits
      {"-0.5", true, -0.5},
      {"-0.5", false, std::nullopt},   // no sign where the quantity cannot be negative
      {"1e999", false, std::nullopt},  // beyond a double
      {"1e", false, std::nullopt},
      {"", false, std::nullopt},
      {".", false, std::nullopt},
      {"1.2.3", false, std::nullopt},
      {"1,5", false, std::nullopt},  // not the separator of this locale
      {"1,000", false, std::nullopt},
      {"12abc", false, std::nullopt},
  };
  for (const ReadCase& testCase : cases) {
    validator.setNegativeAllowed(testCase.negativeAllowed);
    QString text = QString::fromLatin1(testCase.text);
    int pos = 0;
    // Nothing is ever refused keystroke by keystroke: a text is kept.
    EXPECT_NE(validator.validate(text, pos), QValidator::Invalid) << testCase.text;
    EXPECT_EQ(validator.valueOf(QString::fromLatin1(testCase.text)), testCase.expected)
        << testCase.text;
  }
}

TEST(numeric_validator_test, follows_the_decimal_separator_of_its_locale) {
  CNumericValidator validator;
  validator.setLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(validator.valueOf(QStringLiteral("1,5")), 1.5);
  EXPECT_EQ(validator.valueOf(QStringLiteral("2,5e-1")), 0.25);
  EXPECT_EQ(validator.valueOf(QStringLiteral("1.5")), std::nullopt);
}

// Typing never drops a character: once "1e-3" became "13" and "-5" became "5".
TEST(numeric_edit_test, typed_text_stays_as_typed_and_shows_when_it_is_no_number) {
  CNumericEdit edit;
  edit.setLocale(QLocale::c());
  EXPECT_FALSE(edit.hasInput());
  EXPECT_FALSE(edit.isInvalid());
  const QColor normalBase = edit.palette().color(QPalette::Base);

  QTest::keyClicks(&edit, QStringLiteral("1e-3"));
  EXPECT_EQ(edit.text(), QStringLiteral("1e-3"));
  EXPECT_EQ(edit.value(), 1e-3);

  edit.clear();
  QTest::keyClicks(&edit, QStringLiteral("-5"));
  EXPECT_EQ(edit.text(), QStringLiteral("-5"));
  EXPECT_TRUE(edit.isInvalid());
  EXPECT_NE(edit.palette().color(QPalette::Base), normalBase);
  edit.setNegativeAllowed(true);
  EXPECT_FALSE(edit.isInvalid());
  EXPECT_EQ(edit.value(), -5.0);
  EXPECT_EQ(edit.palette().color(QPalette::Base), normalBase);

  edit.clear();
  QTest::keyClicks(&edit, QStringLiteral("1e999"));
  EXPECT_EQ(edit.text(), QStringLiteral("1e999"));
  EXPECT_TRUE(edit.isInvalid());

  edit.clear();
  QApplication::clipboard()->setText(QStringLiteral(" 12.5 "));
  edit.paste();
  EXPECT_EQ(edit.text(), QStringLiteral("12.5"));
  EXPECT_EQ(edit.value(), 12.5);
}

TEST(numeric_edit_test, changing_the_locale_changes_the_accepted_separator) {
  CNumericEdit edit;
  edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
  QTest::keyClicks(&edit, QStringLiteral("25,75"));
  EXPECT_EQ(edit.value(), 25.75);
  edit.setLocale(QLocale::c());
  EXPECT_TRUE(edit.isInvalid());
}

}  // namespace
}  // namespace vaporix
