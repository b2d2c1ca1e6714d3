#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <vector>

#include "CGridCtrl.h"
#include "CInputPropertyPage.h"
#include "CNumericEdit.h"
#include "GridDisplayHandler.h"
#include "MessageService.h"
#include "vaporix/IF97Calculator.h"
#include "widgets/QtTestApplication.h"

namespace vaporix::test {

// Records every message instead of showing a modal box, and the widget
// that had the focus right after each message.
class CapturingMessages : public MessageService {
 public:
  struct Message {
    Icon icon;
    QString text;
  };

  CapturingMessages() { MessageService::Install(this); }
  ~CapturingMessages() override { MessageService::Install(nullptr); }
  CapturingMessages(const CapturingMessages&) = delete;
  CapturingMessages& operator=(const CapturingMessages&) = delete;

  void Show(QWidget* /*parent*/, Icon icon, const QString& text) override {
    messages.push_back({icon, text});
  }
  Answer AskYesNoCancel(QWidget* /*parent*/, const QString& /*text*/) override {
    return Answer::No;
  }

  std::vector<Message> messages;
};

// Decimal points in the typed numbers.
inline void UseDotDecimalLocale() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Shows a top-level widget and waits until it is the active window, so that
// focus and window shortcuts behave as on a desktop.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// Drives a page the way a user does: list picks, typed numbers, clicks.
inline void SelectFunction(CInputPropertyPage& page, int position) {
  page.functionList().setCurrentIndex(position);
}

inline void SelectUnits(CInputPropertyPage& page, int firstUnit, int secondUnit) {
  page.firstUnits().setCurrentIndex(firstUnit);
  page.secondUnits().setCurrentIndex(secondUnit);
}

inline void TypeInputs(CInputPropertyPage& page, const QString& first, const QString& second) {
  page.firstEdit().clear();
  page.secondEdit().clear();
  QTest::keyClicks(&page.firstEdit(), first);
  QTest::keyClicks(&page.secondEdit(), second);
}

inline void PressCalculate(CInputPropertyPage& page) {
  QTest::mouseClick(&page.calculateButton(), Qt::LeftButton);
}

inline void ClickEnglish(CInputPropertyPage& page) {
  QTest::mouseClick(&page.englishButton(), Qt::LeftButton);
}

inline void ClickSI(CInputPropertyPage& page) {
  QTest::mouseClick(&page.siButton(), Qt::LeftButton);
}

// Picks a unit in the row-1 or row-2 unit cell of the page's grid, as the
// user does with the cell's list box.
inline void PickGridUnit(CInputPropertyPage& page, int row, const QString& unit) {
  QComboBox* comboBox = page.grid().cellComboBox(row, page.unitColumn());
  ASSERT_NE(comboBox, nullptr);
  const int position = comboBox->findText(unit);
  ASSERT_GE(position, 0);
  comboBox->setCurrentIndex(position);
  Q_EMIT comboBox->activated(position);
}

// The texts of rows 1-30 of one grid column.
inline QStringList ColumnTexts(const CGridCtrl& grid, int column) {
  QStringList texts;
  for (int row = 1; row <= 30; ++row) {
    texts << grid.cellText(row, column);
  }
  return texts;
}

// What the page's grid must show for a state: the same records written by
// the grid writer into a fresh grid of the same layout and unit mode.
inline QStringList ExpectedColumn(const StateProperties& state,
                                  const TransportProperties& transport, bool saturationLayout,
                                  bool english, int column) {
  CGridCtrl reference;
  GridDisplayHandler::PrepareGrid(reference, saturationLayout);
  if (english) {
    GridDisplayHandler::ShowEnglishMode(reference, saturationLayout);
  } else {
    GridDisplayHandler::ShowSIMode(reference, saturationLayout);
  }
  GridDisplayHandler::FillValues(reference, state, transport, column, saturationLayout);
  return ColumnTexts(reference, column);
}

// A reference engine of the test's own.
struct ReferenceEngine {
  ReferenceEngine() { calculator.Initialize(); }
  IF97Calculator calculator;
};

}  // namespace vaporix::test
