#include "CInputPropertyPage.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <array>
#include <optional>

#include "CGridCtrl.h"
#include "CHyperLink.h"
#include "CNumericEdit.h"
#include "CStyledGroupBox.h"
#include "CVaporixDoc.h"
#include "GridDisplayHandler.h"
#include "MessageService.h"
#include "vaporix/NumberText.h"
#include "vaporix/Properties.h"

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
const QString CInputPropertyPage::kWebSiteText = QStringLiteral("Vaporix Help");
// The main window opens "help:" links in the program's help window.
const QString CInputPropertyPage::kWebSiteAddress = QStringLiteral("help:index.html");

void ResultSet::MakeEnglishCopies() {
  englishState = state;
  englishTransport = transport;
  IF97Calculator::ToEnglish(englishState);
  IF97Calculator::ToEnglish(englishTransport);
}

ResultSet ResultSet::FromEnglish(const StateProperties& englishState,
                                 const TransportProperties& englishTransport) {
  ResultSet set;
  set.englishState = englishState;
  set.englishTransport = englishTransport;
  set.state = englishState;
  set.transport = englishTransport;
  // The inverse of the table's English conversion; "not available" stays.
  for (const PropertyInfo& info : kProperties) {
    if (info.stateField != nullptr) {
      double& value = set.state.*info.stateField;
      value = (value - info.englishOffset) / info.englishFactor;
    } else if (info.transportField != nullptr) {
      double& value = set.transport.*info.transportField;
      if (value != kNotAvailable) {
        value /= info.englishFactor;
      }
    }
  }
  return set;
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
        static_cast<QObject*>(m_firstUnits), static_cast<QObject*>(m_secondUnits),
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
  m_note = new QLabel(this);
  m_note->setTextFormat(Qt::RichText);
  m_note->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  m_note->hide();

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
  setTabOrder(m_grid, m_note);

  connect(m_functionList, &QComboBox::currentIndexChanged, this,
          &CInputPropertyPage::OnFunctionListChanged);
  connect(m_siButton, &QRadioButton::clicked, this, &CInputPropertyPage::OnSISelected);
  connect(m_englishButton, &QRadioButton::clicked, this, &CInputPropertyPage::OnEnglishSelected);
  connect(m_calculateButton, &QPushButton::clicked, this, &CInputPropertyPage::OnCalculate);
  connect(m_firstUnits, &QComboBox::currentIndexChanged, this,
          [this](int position) { OnUnitListChanged(InputSlot::First, position); });
  connect(m_secondUnits, &QComboBox::currentIndexChanged, this,
          [this](int position) { OnUnitListChanged(InputSlot::Second, position); });
  connect(m_grid, &CGridCtrl::cellOptionPicked, this, &CInputPropertyPage::OnUnitCellPicked);
  connect(m_note, &QLabel::linkActivated, this,
          [this](const QString& link) { NoteLinkActivated(link); });

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
  const int gridWidth = area.width() - gridLeft - dialogUnitsToX(kGridMargin);
  int gridHeight = area.height() - gridTop - dialogUnitsToY(kGridMargin);
  // The note, when there is one, takes a line below the grid.
  if (!m_note->isHidden()) {
    const int noteHeight = m_note->sizeHint().height();
    gridHeight -= noteHeight + dialogUnitsToY(kGridMargin);
    m_note->setGeometry(gridLeft, gridTop + gridHeight + dialogUnitsToY(kGridMargin), gridWidth,
                        noteHeight);
  }
  m_grid->setGeometry(gridLeft, gridTop, gridWidth, gridHeight);
}

void CInputPropertyPage::SetNote(const QString& richText) {
  m_note->setText(richText);
  m_note->setHidden(richText.isEmpty());
  LayoutControls();
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
  ChooseFunction(position);
}

void CInputPropertyPage::ChooseFunction(int position) {
  struct Typed {
    Quantity quantity;
    QString text;
    int unitPosition;
  };
  const bool hadFunction = m_firstUnits->count() > 0;
  std::optional<std::array<Typed, 2>> before;
  if (hadFunction) {
    before = std::array<Typed, 2>{
        Typed{SlotQuantity(InputSlot::First), m_firstEdit->text(), m_firstUnits->currentIndex()},
        Typed{SlotQuantity(InputSlot::Second), m_secondEdit->text(),
              m_secondUnits->currentIndex()}};
  }
  SelectFunction(position);
  for (const InputSlot slot : {InputSlot::First, InputSlot::Second}) {
    const Quantity quantity = SlotQuantity(slot);
    CNumericEdit& field = edit(slot);
    field.setNegativeAllowed(CanBeNegative(quantity));
    if (!before) {
      continue;
    }
    // The same quantity has the same unit list: its text and unit move along.
    const auto kept = std::find_if(before->begin(), before->end(), [quantity](const Typed& typed) {
      return typed.quantity == quantity;
    });
    if (kept == before->end()) {
      field.clear();
      continue;
    }
    int& shownPosition = slot == InputSlot::First ? m_firstUnitPosition : m_secondUnitPosition;
    shownPosition = kept->unitPosition;  // selecting it below converts nothing
    unitList(slot)->setCurrentIndex(kept->unitPosition);
    field.setText(kept->text);
  }
}

CNumericEdit& CInputPropertyPage::edit(InputSlot slot) const {
  return slot == InputSlot::First ? *m_firstEdit : *m_secondEdit;
}

Quantity CInputPropertyPage::SlotQuantity(InputSlot slot) const {
  const InputPairInfo& pair = Describe(CurrentFields().pair);
  return slot == InputSlot::First ? pair.first : pair.second;
}

void CInputPropertyPage::OnUnitListChanged(InputSlot slot, int position) {
  int& shownPosition = slot == InputSlot::First ? m_firstUnitPosition : m_secondUnitPosition;
  // A refilled list passes through -1; only a pick between two units converts.
  if (shownPosition >= 0 && position >= 0 && shownPosition != position) {
    ConvertTypedValue(slot, m_unitSystem, shownPosition, m_unitSystem, position);
  }
  shownPosition = position;
}

void CInputPropertyPage::ConvertTypedValue(InputSlot slot, UnitSystem fromSystem, int fromPosition,
                                           UnitSystem toSystem, int toPosition) {
  CNumericEdit& field = edit(slot);
  const std::optional<double> typed = field.value();
  if (!typed) {
    return;
  }
  const Quantity quantity = SlotQuantity(slot);
  if (ToSI(quantity, *typed, toSystem, toPosition) ==
      ToSI(quantity, *typed, fromSystem, fromPosition)) {
    return;  // the same unit under another name (%, kJ/kg in SI and SI)
  }
  // Conversions start from what the user typed, so that a way back to the
  // typed unit gives the typed text again, not a rounded chain of numbers.
  TypedOrigin& origin = slot == InputSlot::First ? m_firstOrigin : m_secondOrigin;
  if (!origin.valid || field.text() != origin.shown) {
    origin = {field.text(), fromSystem, fromPosition, field.text(), true};
  }
  if (toSystem == origin.system && toPosition == origin.position) {
    field.setText(origin.text);
  } else {
    const std::string separator = field.locale().decimalPoint().toStdString();
    const double si = ToSI(quantity, ParseInputNumber(origin.text.toStdString(), separator),
                           origin.system, origin.position);
    field.setText(QString::fromStdString(FormatInputNumber(
        FromSI(quantity, si, toSystem, toPosition), field.locale().decimalPoint().toStdString())));
  }
  origin.shown = field.text();
}

void CInputPropertyPage::SwitchUnitSystem(UnitSystem system) {
  const UnitSystem previous = m_unitSystem;
  const std::array<int, 2> positions{m_firstUnits->currentIndex(), m_secondUnits->currentIndex()};
  m_unitSystem = system;
  FillCurrentFunctionUnits();
  if (previous != system) {
    ConvertTypedValue(InputSlot::First, previous, positions[0], system,
                      m_firstUnits->currentIndex());
    ConvertTypedValue(InputSlot::Second, previous, positions[1], system,
                      m_secondUnits->currentIndex());
  }
}

void CInputPropertyPage::OnSISelected() {
  SwitchUnitSystem(UnitSystem::SI);
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
  SwitchUnitSystem(UnitSystem::English);
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
  for (const InputSlot slot : {InputSlot::First, InputSlot::Second}) {
    CNumericEdit& field = edit(slot);
    if (field.isInvalid()) {
      const QString reason = field.text().trimmed().startsWith(QLatin1Char('-'))
                                 ? QStringLiteral(" (it cannot be negative)")
                                 : QString();
      MessageService::Instance().Show(
          this, MessageService::Icon::Stop,
          QStringLiteral("%1: \"%2\" is not a number%3.\nType digits with \"%4\" as the decimal "
                         "separator, and an exponent if needed (1e-3).")
              .arg(FieldName(slot), field.text(), reason, field.locale().decimalPoint()));
      FocusEdit(field, true);
      return;
    }
  }
  CalculateFilledInputs();
}

void CInputPropertyPage::ReportFailure(InputStatus status) {
  switch (status) {
    case InputStatus::FirstOutOfRange:
      MessageService::Instance().Show(
          this, MessageService::Icon::Warning,
          kValueOutOfRangeMessage + QLatin1Char('\n') + FieldRangeLine(InputSlot::First));
      FocusEdit(*m_firstEdit, true);
      break;
    case InputStatus::SecondOutOfRange:
      MessageService::Instance().Show(
          this, MessageService::Icon::Warning,
          kValueOutOfRangeMessage + QLatin1Char('\n') + FieldRangeLine(InputSlot::Second));
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

void CInputPropertyPage::SaveSession(QSettings& settings) const {
  settings.setValue(QStringLiteral("unitSystem"), m_unitSystem == UnitSystem::English
                                                      ? QStringLiteral("English")
                                                      : QStringLiteral("SI"));
  settings.setValue(QStringLiteral("function"), m_functionList->currentIndex());
  settings.setValue(QStringLiteral("firstUnit"), m_firstUnits->currentIndex());
  settings.setValue(QStringLiteral("secondUnit"), m_secondUnits->currentIndex());
  settings.setValue(QStringLiteral("first"), m_firstEdit->text());
  settings.setValue(QStringLiteral("second"), m_secondEdit->text());
}

void CInputPropertyPage::RestoreSession(QSettings& settings) {
  if (settings.value(QStringLiteral("unitSystem")).toString() == QStringLiteral("English")) {
    m_englishButton->setChecked(true);
    OnEnglishSelected();
  }
  const int function = settings.value(QStringLiteral("function"), -1).toInt();
  if (function >= 0 && function < m_functionList->count()) {
    m_functionList->setCurrentIndex(function);
  }
  // Units before texts, so that nothing typed is converted on the way.
  m_firstEdit->clear();
  m_secondEdit->clear();
  for (auto [list, key] : {std::pair{m_firstUnits, QStringLiteral("firstUnit")},
                           std::pair{m_secondUnits, QStringLiteral("secondUnit")}}) {
    const int position = settings.value(key, -1).toInt();
    if (position >= 0 && position < list->count()) {
      list->setCurrentIndex(position);
    }
  }
  m_firstEdit->setText(settings.value(QStringLiteral("first")).toString());
  m_secondEdit->setText(settings.value(QStringLiteral("second")).toString());
}

QStringList CInputPropertyPage::PrintHeaderLines() const {
  QStringList lines;
  lines << QStringLiteral("%1, units: %2")
               .arg(title(), m_unitSystem == UnitSystem::SI ? QStringLiteral("SI")
                                                            : QStringLiteral("English"));
  if (m_hasResults) {
    lines << QStringLiteral("Input:%1: %2 = %3 %4, %5 = %6 %7")
                 .arg(m_functionList->currentText(), FieldName(InputSlot::First),
                      m_firstEdit->text(), m_firstUnits->currentText(),
                      FieldName(InputSlot::Second), m_secondEdit->text(),
                      m_secondUnits->currentText());
  }
  return lines;
}

void CInputPropertyPage::focusFirstControl() {
  FocusEdit(*m_firstEdit, true);
}

QString CInputPropertyPage::FieldName(InputSlot slot) const {
  const std::string_view name = QuantityName(SlotQuantity(slot));
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString CInputPropertyPage::FieldRangeLine(InputSlot slot) const {
  const CheckedInputPair& fields = CurrentFields();
  const RangeTest test = slot == InputSlot::First ? fields.firstTest : fields.secondTest;
  const std::string range = RangeText(test, SlotQuantity(slot), m_unitSystem, SelectedUnit(slot));
  if (!range.empty()) {
    return QStringLiteral("%1: %2").arg(FieldName(slot), QString::fromStdString(range));
  }
  // Without a fixed range the engine found no state: on the saturation page
  // the second value lies outside the two-phase region at the first.
  return QStringLiteral("%1: no %2state at this value for the %3 given")
      .arg(FieldName(slot), m_saturationLayout ? QStringLiteral("two-phase ") : QString(),
           FieldName(InputSlot::First).toLower());
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
  GridUnitsChanged();
}

void CInputPropertyPage::ResetControls() {
  m_hasResults = false;
  m_unitSystem = UnitSystem::SI;
  OnSISelected();
  {
    const QSignalBlocker blocker(m_functionList);
    m_functionList->setCurrentIndex(0);
  }
  m_firstEdit->clear();
  m_secondEdit->clear();
  m_firstUnits->setCurrentIndex(0);
  m_secondUnits->setCurrentIndex(0);
  ChooseFunction(0);
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

void CInputPropertyPage::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange && m_grid != nullptr) {
    // A desktop that turns dark (or light) gets the grid colours that suit it.
    GridDisplayHandler::ApplyColours(*m_grid, m_saturationLayout, palette());
  }
  CPropertyViewPage::changeEvent(event);
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
