#include "CInputPropertyPage.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QUrl>

#include "CGridCtrl.h"
#include "CHyperLink.h"
#include "CNumericEdit.h"
#include "CStyledGroupBox.h"
#include "CVaporixDoc.h"
#include "GridDisplayHandler.h"
#include "MessageService.h"

namespace vaporix {

namespace {

// Positions of the controls in dialog units (x, y, width, height).
constexpr QPoint kUnitsGroupOrigin(7, 3);
constexpr QPoint kInputGroupOrigin(73, 3);
constexpr int kLabelWidth = 64;  // up to the edit fields, room for "&1. Internal Energy"
constexpr int kGridLeft = 7;
constexpr int kGridTop = 65;
constexpr int kGridMargin = 7;          // to the right and bottom edges
constexpr int kHyperLinkRightGap = 95;  // from the link's left edge to the right edge
constexpr int kHyperLinkTop = 45;
constexpr int kHyperLinkWidth = 88;
constexpr int kHyperLinkHeight = 14;

}  // namespace

const QString CInputPropertyPage::kEnterInputMessage = QStringLiteral("Enter input data!");
const QString CInputPropertyPage::kValueOutOfRangeMessage =
    QStringLiteral("The value is out of the range!");
const QString CInputPropertyPage::kPointOutOfRangeMessage =
    QStringLiteral("The point is out of the range!");
const QString CInputPropertyPage::kWebSiteText = QStringLiteral("www.example.org");
const QString CInputPropertyPage::kWebSiteAddress = QStringLiteral("https://www.example.org/");

void ResultSet::MakeEnglishCopies() {
  englishState = state;
  englishTransport = transport;
  IF97Calculator::ToEnglish(englishState);
  IF97Calculator::ToEnglish(englishTransport);
}

CInputPropertyPage::CInputPropertyPage(CVaporixDoc& document, const QString& title,
                                       const QString& secondLabelTemplate, bool saturationLayout,
                                       QWidget* parent)
    : CPropertyViewPage(document, title, QSize(kTemplateWidth, kTemplateHeight), parent),
      m_saturationLayout(saturationLayout) {
  BuildControls(secondLabelTemplate);
  m_engine.Initialize();
}

CInputPropertyPage::~CInputPropertyPage() {
  // The controls outlive this part of the page while the widget base deletes them.
  for (QObject* control :
       {static_cast<QObject*>(m_functionList), static_cast<QObject*>(m_grid),
        static_cast<QObject*>(m_siButton), static_cast<QObject*>(m_englishButton),
        static_cast<QObject*>(m_calculateButton)}) {
    control->disconnect(this);
  }
  m_grid->removeEventFilter(this);
}

void CInputPropertyPage::BuildControls(const QString& secondLabelTemplate) {
  // Group boxes first, so that they lie below the controls beside them.
  m_unitsGroup = new CStyledGroupBox(QStringLiteral("&Units"), this);
  m_siButton = new QRadioButton(QStringLiteral("SI (&Metric)"), m_unitsGroup);
  m_englishButton = new QRadioButton(QStringLiteral("En&glish"), m_unitsGroup);
  m_siButton->setChecked(true);

  m_inputGroup = new CStyledGroupBox(QStringLiteral("Input &Data"), this);
  m_functionLabel = new QLabel(QStringLiteral("Se&lect function:"), m_inputGroup);
  m_functionList = new QComboBox(m_inputGroup);
  m_firstLabel = new QLabel(QStringLiteral("&Pressure:"), m_inputGroup);
  m_firstEdit = new CNumericEdit(m_inputGroup);
  m_firstUnits = new QComboBox(m_inputGroup);
  m_secondLabel = new QLabel(secondLabelTemplate, m_inputGroup);
  m_secondEdit = new CNumericEdit(m_inputGroup);
  m_secondUnits = new QComboBox(m_inputGroup);
  m_functionLabel->setBuddy(m_functionList);
  m_firstLabel->setBuddy(m_firstEdit);
  m_secondLabel->setBuddy(m_secondEdit);

  m_calculateButton = new QPushButton(QStringLiteral("&Calculate"), this);
  m_calculateButton->setDefault(true);
  m_hyperLink = new CHyperLink(kWebSiteText, QUrl(kWebSiteAddress), this);

  m_grid = new CGridCtrl(this);
  GridDisplayHandler::PrepareGrid(*m_grid, m_saturationLayout);
  GridDisplayHandler::ShowSIMode(*m_grid, m_saturationLayout);
  m_grid->installEventFilter(this);
  TakeDisplayedUnits();

  // The tab order follows the template: units, function, inputs, button, link, grid.
  setTabOrder(m_siButton, m_englishButton);
  setTabOrder(m_englishButton, m_functionList);
  setTabOrder(m_functionList, m_firstEdit);
  setTabOrder(m_firstEdit, m_firstUnits);
  setTabOrder(m_firstUnits, m_secondEdit);
  setTabOrder(m_secondEdit, m_secondUnits);
  setTabOrder(m_secondUnits, m_calculateButton);
  setTabOrder(m_calculateButton, m_hyperLink);
  setTabOrder(m_hyperLink, m_grid);

  connect(m_functionList, &QComboBox::currentIndexChanged, this,
          &CInputPropertyPage::OnFunctionListChanged);
  connect(m_siButton, &QRadioButton::clicked, this, &CInputPropertyPage::OnSISelected);
  connect(m_englishButton, &QRadioButton::clicked, this, &CInputPropertyPage::OnEnglishSelected);
  connect(m_calculateButton, &QPushButton::clicked, this, &CInputPropertyPage::OnCalculate);
  connect(m_grid, &CGridCtrl::cellOptionPicked, this, &CInputPropertyPage::OnUnitCellPicked);

  LayoutControls();
}

void CInputPropertyPage::LayoutControls() {
  const int fieldHeight = std::max(dialogUnitsToY(13), m_firstEdit->sizeHint().height());
  const auto place = [this, fieldHeight](QWidget* widget, QRect area, bool isField) {
    if (isField) {
      area.setHeight(fieldHeight);
    }
    widget->setGeometry(area);
  };

  m_unitsGroup->setGeometry(dialogRect(kUnitsGroupOrigin.x(), kUnitsGroupOrigin.y(), 57, 58));
  place(m_siButton, dialogRect(12, 21, 48, 10, kUnitsGroupOrigin), false);
  place(m_englishButton, dialogRect(12, 38, 39, 10, kUnitsGroupOrigin), false);

  m_inputGroup->setGeometry(dialogRect(kInputGroupOrigin.x(), kInputGroupOrigin.y(), 176, 58));
  place(m_functionLabel, dialogRect(79, 17, kLabelWidth, 8, kInputGroupOrigin), false);
  place(m_functionList, dialogRect(145, 14, 96, 13, kInputGroupOrigin), true);
  place(m_firstLabel, dialogRect(79, 32, kLabelWidth, 8, kInputGroupOrigin), false);
  place(m_firstEdit, dialogRect(145, 29, 51, 13, kInputGroupOrigin), true);
  place(m_firstUnits, dialogRect(200, 29, 41, 13, kInputGroupOrigin), true);
  place(m_secondLabel, dialogRect(79, 47, kLabelWidth, 8, kInputGroupOrigin), false);
  place(m_secondEdit, dialogRect(145, 44, 51, 13, kInputGroupOrigin), true);
  place(m_secondUnits, dialogRect(200, 44, 41, 13, kInputGroupOrigin), true);
  // Labels are centred on their fields, whatever the font's height.
  for (auto [label, field] : {std::pair<QLabel*, QWidget*>{m_functionLabel, m_functionList},
                              {m_firstLabel, m_firstEdit},
                              {m_secondLabel, m_secondEdit}}) {
    QRect area = label->geometry();
    area.moveTop(field->geometry().center().y() - label->sizeHint().height() / 2);
    area.setHeight(label->sizeHint().height());
    label->setGeometry(area);
  }

  QRect button = dialogRect(255, 7, 50, 14);
  button.setHeight(std::max(button.height(), m_calculateButton->sizeHint().height()));
  m_calculateButton->setGeometry(button);

  // The link keeps its distance to the right edge; the grid follows the
  // right and bottom edges.
  const int linkLeft =
      std::max(width(), templateSize().width()) - dialogUnitsToX(kHyperLinkRightGap);
  m_hyperLink->setGeometry(linkLeft, dialogUnitsToY(kHyperLinkTop), dialogUnitsToX(kHyperLinkWidth),
                           dialogUnitsToY(kHyperLinkHeight));
  const int gridLeft = dialogUnitsToX(kGridLeft);
  const int gridTop = dialogUnitsToY(kGridTop);
  const QSize area = size().expandedTo(templateSize());
  m_grid->setGeometry(gridLeft, gridTop, area.width() - gridLeft - dialogUnitsToX(kGridMargin),
                      area.height() - gridTop - dialogUnitsToY(kGridMargin));
}

void CInputPropertyPage::resizeEvent(QResizeEvent* event) {
  CPropertyViewPage::resizeEvent(event);
  LayoutControls();
}

void CInputPropertyPage::FillFunctionList(int count, std::string_view (*listText)(int position)) {
  QStringList texts;
  for (int position = 0; position < count; ++position) {
    const std::string_view text = listText(position);
    texts << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }
  const QSignalBlocker blocker(m_functionList);
  m_functionList->clear();
  m_functionList->addItems(texts);
  m_functionList->setCurrentIndex(0);
  m_firstUnits->setCurrentIndex(0);
  m_secondUnits->setCurrentIndex(0);
}

int CInputPropertyPage::unitColumn() const {
  return m_saturationLayout ? GridDisplayHandler::kSaturationUnitColumn
                            : GridDisplayHandler::kUnitColumn;
}

QLabel* CInputPropertyPage::label(InputSlot slot) const {
  return slot == InputSlot::First ? m_firstLabel : m_secondLabel;
}

QComboBox* CInputPropertyPage::unitList(InputSlot slot) const {
  return slot == InputSlot::First ? m_firstUnits : m_secondUnits;
}

std::string CInputPropertyPage::InputText(InputSlot slot) const {
  return (slot == InputSlot::First ? m_firstEdit : m_secondEdit)->text().toStdString();
}

std::string CInputPropertyPage::DecimalSeparator() const {
  return m_firstEdit->locale().decimalPoint().toStdString();
}

std::string CInputPropertyPage::LabelText(InputSlot slot) const {
  return label(slot)->text().toStdString();
}

void CInputPropertyPage::SetLabelText(InputSlot slot, const std::string& text) {
  label(slot)->setText(QString::fromStdString(text));
}

void CInputPropertyPage::ClearUnits(InputSlot slot) {
  unitList(slot)->clear();
}

void CInputPropertyPage::AddUnit(InputSlot slot, const std::string& unit) {
  unitList(slot)->addItem(QString::fromStdString(unit));
}

void CInputPropertyPage::SelectUnit(InputSlot slot, int position) {
  unitList(slot)->setCurrentIndex(position);
}

int CInputPropertyPage::SelectedUnit(InputSlot slot) const {
  return unitList(slot)->currentIndex();
}

void CInputPropertyPage::OnFunctionListChanged(int position) {
  SelectFunction(position);
}

void CInputPropertyPage::OnSISelected() {
  m_unitSystem = UnitSystem::SI;
  FillCurrentFunctionUnits();
  GridDisplayHandler::ShowSIMode(*m_grid, m_saturationLayout);
  if (m_hasResults) {
    ShowHeldResult();
  }
  // The unit cells start again at "bar" and "°C", and so do the values.
  TakeDisplayedUnits();
  RedrawGrid();
}

void CInputPropertyPage::OnEnglishSelected() {
  if (!m_englishButton->isChecked()) {
    return;
  }
  m_unitSystem = UnitSystem::English;
  FillCurrentFunctionUnits();
  GridDisplayHandler::ShowEnglishMode(*m_grid, m_saturationLayout);
  if (m_hasResults) {
    ShowHeldResult();
  }
  RedrawGrid();
}

void CInputPropertyPage::OnCalculate() {
  if (!m_firstEdit->hasInput()) {
    MessageService::Instance().Show(this, MessageService::Icon::Stop, kEnterInputMessage);
    FocusEdit(*m_firstEdit, false);
    return;
  }
  if (!m_secondEdit->hasInput()) {
    MessageService::Instance().Show(this, MessageService::Icon::Stop, kEnterInputMessage);
    FocusEdit(*m_secondEdit, false);
    return;
  }
  CalculateFilledInputs();
}

void CInputPropertyPage::ReportFailure(InputStatus status) {
  switch (status) {
    case InputStatus::FirstOutOfRange:
      MessageService::Instance().Show(this, MessageService::Icon::Warning, kValueOutOfRangeMessage);
      FocusEdit(*m_firstEdit, true);
      break;
    case InputStatus::SecondOutOfRange:
      MessageService::Instance().Show(this, MessageService::Icon::Warning, kValueOutOfRangeMessage);
      FocusEdit(*m_secondEdit, true);
      break;
    case InputStatus::PointOutOfRange:
      MessageService::Instance().Show(this, MessageService::Icon::Warning, kPointOutOfRangeMessage);
      FocusEdit(*m_firstEdit, false);
      break;
    case InputStatus::Ok:
      break;
  }
}

void CInputPropertyPage::FocusEdit(CNumericEdit& edit, bool selectText) {
  edit.setFocus(Qt::OtherFocusReason);
  if (selectText) {
    // Selecting the whole text puts the cursor at its end, in view.
    edit.selectAll();
  }
}

void CInputPropertyPage::PublishResult(const ResultSet& point) {
  if (m_unitSystem == UnitSystem::SI) {
    document().PublishSIResult(point.state, point.transport);
  } else {
    document().PublishEnglishResult(point.englishState, point.englishTransport);
  }
  TakeDisplayedUnits();
  RedrawGrid();
}

void CInputPropertyPage::TakeDisplayedUnits() {
  if (m_unitSystem != UnitSystem::SI) {
    return;  // English mode has no unit cells to pick from
  }
  m_pressureUnit = m_grid->cellText(GridDisplayHandler::kPressureRow, unitColumn());
  m_temperatureUnit = m_grid->cellText(GridDisplayHandler::kTemperatureRow, unitColumn());
}

void CInputPropertyPage::RedrawGrid() {
  m_grid->viewport()->update();
}

void CInputPropertyPage::OnUnitCellPicked(int row, int column, const QString& text) {
  if (column != unitColumn() || !m_hasResults) {
    return;
  }
  if (row == GridDisplayHandler::kPressureRow && text != m_pressureUnit) {
    GridDisplayHandler::ChangePressureUnit(*m_grid, column, m_saturationLayout);
    m_pressureUnit = text;
  } else if (row == GridDisplayHandler::kTemperatureRow && text != m_temperatureUnit) {
    GridDisplayHandler::ChangeTemperatureUnit(*m_grid, column, m_saturationLayout);
    m_temperatureUnit = text;
  }
}

void CInputPropertyPage::ResetControls() {
  m_hasResults = false;
  m_unitSystem = UnitSystem::SI;
  OnSISelected();
  {
    const QSignalBlocker blocker(m_functionList);
    m_functionList->setCurrentIndex(0);
  }
  m_firstUnits->setCurrentIndex(0);
  m_secondUnits->setCurrentIndex(0);
  SelectFunction(0);
  m_firstEdit->clear();
  m_secondEdit->clear();
  m_siButton->setChecked(true);
  m_englishButton->setChecked(false);
  GridDisplayHandler::ClearValues(*m_grid, m_saturationLayout);
  RedrawGrid();
}

void CInputPropertyPage::keyPressEvent(QKeyEvent* event) {
  // Return and Enter reach the page when the focused control leaves them.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (m_calculateButton->isEnabled()) {
      m_calculateButton->click();
    }
    event->accept();
    return;
  }
  CPropertyViewPage::keyPressEvent(event);
}

bool CInputPropertyPage::eventFilter(QObject* watched, QEvent* event) {
  // A grid that gets the focus makes every grid of every view drop its
  // selection, so that Copy has one selection to take.
  if (watched == m_grid && event->type() == QEvent::FocusIn) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      document().UpdateAllViews(nullptr, UpdateHint::GridFocused);
    }
  }
  return CPropertyViewPage::eventFilter(watched, event);
}

}  // namespace vaporix
