#include <QTest>
#include <optional>

#include "CNumericEdit.h"
#include "CNumericValidator.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

struct ValidationCase {
  const char* text;
  QValidator::State expected;
};

TEST(numeric_validator_test, accepts_unsigned_numbers_within_the_digit_limits) {
  CNumericValidator validator;
  validator.setLocale(QLocale::c());
  const ValidationCase cases[] = {
      {"", QValidator::Intermediate},
      {".", QValidator::Intermediate},
      {"0", QValidator::Acceptable},
      {"12345", QValidator::Acceptable},
      {"123456", QValidator::Invalid},  // 6 integer digits
      {"1.", QValidator::Acceptable},
      {".5", QValidator::Acceptable},
      {"12345.123456789012345", QValidator::Acceptable},
      {"1.1234567890123456", QValidator::Invalid},  // 16 decimals
      {"-1", QValidator::Invalid},
      {"+1", QValidator::Invalid},
      {"1.2.3", QValidator::Invalid},
      {"1..", QValidator::Invalid},
      {"1,5", QValidator::Invalid},  // not the separator of this locale
      {"1e5", QValidator::Invalid},
      {" 1", QValidator::Invalid},
      {"1,000", QValidator::Invalid},  // no group separators
  };
  for (const ValidationCase& testCase : cases) {
    QString text = QString::fromLatin1(testCase.text);
    int pos = 0;
    EXPECT_EQ(validator.validate(text, pos), testCase.expected) << testCase.text;
  }
}

TEST(numeric_validator_test, follows_the_decimal_separator_of_its_locale) {
  CNumericValidator validator;
  validator.setLocale(QLocale(QLocale::German, QLocale::Germany));
  const ValidationCase cases[] = {
      {"1,5", QValidator::Acceptable},
      {"1.5", QValidator::Invalid},
      {"1,5,", QValidator::Invalid},
      {"-1,5", QValidator::Invalid},
  };
  for (const ValidationCase& testCase : cases) {
    QString text = QString::fromLatin1(testCase.text);
    int pos = 0;
    EXPECT_EQ(validator.validate(text, pos), testCase.expected) << testCase.text;
  }
  EXPECT_EQ(validator.valueOf(QStringLiteral("1,5")), 1.5);
  EXPECT_EQ(validator.valueOf(QStringLiteral("1.5")), std::nullopt);
}

TEST(numeric_validator_test, reads_the_value_of_accepted_texts_only) {
  CNumericValidator validator;
  validator.setLocale(QLocale::c());
  struct ReadCase {
    const char* text;
    std::optional<double> expected;
  };
  const ReadCase cases[] = {
      {"0", 0.0},
      {"273.15", 273.15},
      {"1.", 1.0},
      {".25", 0.25},
      {"99999.999999999999999", 99999.999999999999999},
      {"", std::nullopt},
      {".", std::nullopt},
      {"-3", std::nullopt},
      {"123456", std::nullopt},
  };
  for (const ReadCase& testCase : cases) {
    EXPECT_EQ(validator.valueOf(QString::fromLatin1(testCase.text)), testCase.expected)
        << testCase.text;
  }
}

TEST(numeric_edit_test, typing_drops_the_characters_the_validator_rejects) {
  CNumericEdit edit;
  edit.setLocale(QLocale::c());
  EXPECT_FALSE(edit.hasInput());
  EXPECT_EQ(edit.value(), std::nullopt);

  QTest::keyClicks(&edit, QStringLiteral("-12.3.4"));
  EXPECT_EQ(edit.text(), QStringLiteral("12.34"));
  EXPECT_EQ(edit.value(), 12.34);

  edit.clear();
  QTest::keyClicks(&edit, QStringLiteral("1234567"));
  EXPECT_EQ(edit.text(), QStringLiteral("12345"));

  edit.clear();
  QTest::keyClicks(&edit, QStringLiteral("0.12345678901234567"));
  EXPECT_EQ(edit.text(), QStringLiteral("0.123456789012345"));
  EXPECT_TRUE(edit.hasInput());
}

TEST(numeric_edit_test, changing_the_locale_changes_the_accepted_separator) {
  CNumericEdit edit;
  edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
  QTest::keyClicks(&edit, QStringLiteral("2.5,75"));
  EXPECT_EQ(edit.text(), QStringLiteral("25,75"));
  EXPECT_EQ(edit.value(), 25.75);
}

}  // namespace
}  // namespace vaporix
