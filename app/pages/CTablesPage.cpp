#include "CTablesPage.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableView>
#include <QVBoxLayout>

#include "GridDisplayHandler.h"
#include "InputConversion.h"
#include "MessageService.h"

namespace vaporix {
namespace {

// Room of the page in dialog units: the controls above a table of some rows.
constexpr QSize kTemplateSize(404, 150);
constexpr int kColumnListRows = 6;

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString QuantityLabel(Quantity quantity) {
  return FromView(QuantityName(quantity)) + QLatin1Char(':');
}

// A typed number in the user's locale, or in the C locale ("1.5" always reads).
std::optional<double> ReadNumber(const QString& text) {
  bool ok = false;
  const QString trimmed = text.trimmed();
  double value = QLocale().toDouble(trimmed, &ok);
  if (!ok) {
    value = QLocale::c().toDouble(trimmed, &ok);
  }
  return ok ? std::optional<double>(value) : std::nullopt;
}

// Starting values of each kind of table in the units the page shows:
// {from, to, step, pressures or fixed value}.
struct Defaults {
  const char* from;
  const char* to;
  const char* step;
  const char* extra;
};

Defaults DefaultsFor(tables::TableKind kind, const tables::UnitChoice& units) {
  const bool celsius = units.temperature == tables::TemperatureUnit::Celsius;
  const bool bar = units.pressure == tables::PressureUnit::Bar;
  switch (kind) {
    case tables::TableKind::SaturationByTemperature:
      return units.english ? Defaults{"50", "700", "25", ""}
             : celsius     ? Defaults{"10", "370", "10", ""}
                           : Defaults{"280", "640", "10", ""};
    case tables::TableKind::SaturationByPressure:
      return units.english ? Defaults{"100", "3200", "100", ""}
             : bar         ? Defaults{"10", "220", "10", ""}
                           : Defaults{"1", "22", "1", ""};
    case tables::TableKind::Grid:
      return units.english ? Defaults{"100", "1100", "100", "14.7; 147; 1470"}
             : celsius     ? Defaults{"50", "600", "50", bar ? "1; 10; 100" : "0.1; 1; 10"}
                           : Defaults{"350", "900", "50", bar ? "1; 10; 100" : "0.1; 1; 10"};
    case tables::TableKind::Isoline:
      break;
  }
  return units.english ? Defaults{"100", "1100", "100", "147"}
         : celsius     ? Defaults{"50", "600", "50", bar ? "10" : "1"}
                       : Defaults{"350", "900", "50", bar ? "10" : "1"};
}

}  // namespace

const QString CTablesPage::kTitle = QStringLiteral("Steam tables");

CTablesPage::CTablesPage(CVaporixDoc& document, QWidget* parent)
    : CPropertyViewPage(document, kTitle, kTemplateSize, parent) {
  m_engine.Initialize();
  BuildControls();
  OnKindChanged();
  SelectColumns(tables::DefaultProperties());
  LoadSettings();
}

CTablesPage::~CTablesPage() = default;

void CTablesPage::BuildControls() {
  auto* tableGroup = new QGroupBox(QStringLiteral("&Table"), this);
  auto* form = new QFormLayout(tableGroup);
  m_kindList = new QComboBox(tableGroup);
  for (const tables::TableKindInfo& info : tables::kTableKinds) {
    m_kindList->addItem(FromView(info.title));
  }
  form->addRow(QStringLiteral("&Kind:"), m_kindList);
  m_pairList = new QComboBox(tableGroup);
  for (const InputPairInfo& info : kInputPairs) {
    m_pairList->addItem(QStringLiteral("%1, %2%3")
                            .arg(FromView(QuantityName(info.first)),
                                 FromView(QuantityName(info.second)),
                                 info.saturation ? QStringLiteral(" (saturation)") : QString()));
  }
  m_pairLabel = new QLabel(QStringLiteral("Input &pair:"), tableGroup);
  m_pairLabel->setBuddy(m_pairList);
  form->addRow(m_pairLabel, m_pairList);

  const auto withUnit = [tableGroup](QLineEdit*& edit, QLabel*& unit) {
    auto* row = new QHBoxLayout();
    edit = new QLineEdit(tableGroup);
    unit = new QLabel(tableGroup);
    unit->setMinimumWidth(
        QFontMetrics(unit->font()).horizontalAdvance(QStringLiteral("Btu/(lb·°F)")));
    row->addWidget(edit, 1);
    row->addWidget(unit);
    return row;
  };
  m_pressuresLabel = new QLabel(QStringLiteral("Pr&essures:"), tableGroup);
  QHBoxLayout* pressures = withUnit(m_pressuresEdit, m_pressuresUnit);
  m_pressuresEdit->setToolTip(QStringLiteral("Pressures separated by semicolons or spaces"));
  m_pressuresLabel->setBuddy(m_pressuresEdit);
  form->addRow(m_pressuresLabel, pressures);
  m_fixedLabel = new QLabel(tableGroup);
  QHBoxLayout* fixed = withUnit(m_fixedEdit, m_fixedUnit);
  m_fixedLabel->setBuddy(m_fixedEdit);
  form->addRow(m_fixedLabel, fixed);

  auto* range = new QHBoxLayout();
  m_fromEdit = new QLineEdit(tableGroup);
  m_toEdit = new QLineEdit(tableGroup);
  m_stepEdit = new QLineEdit(tableGroup);
  m_steppedUnit = new QLabel(tableGroup);
  range->addWidget(new QLabel(QStringLiteral("from"), tableGroup));
  range->addWidget(m_fromEdit, 1);
  range->addWidget(new QLabel(QStringLiteral("to"), tableGroup));
  range->addWidget(m_toEdit, 1);
  range->addWidget(new QLabel(QStringLiteral("step"), tableGroup));
  range->addWidget(m_stepEdit, 1);
  range->addWidget(m_steppedUnit);
  m_steppedLabel = new QLabel(tableGroup);
  m_steppedLabel->setBuddy(m_fromEdit);
  form->addRow(m_steppedLabel, range);

  auto* unitsGroup = new QGroupBox(QStringLiteral("&Units"), this);
  auto* unitsLayout = new QFormLayout(unitsGroup);
  m_siButton = new QRadioButton(QStringLiteral("SI (&Metric)"), unitsGroup);
  m_englishButton = new QRadioButton(QStringLiteral("En&glish"), unitsGroup);
  m_siButton->setChecked(true);
  m_pressureUnitList = new QComboBox(unitsGroup);
  m_pressureUnitList->addItems({QStringLiteral("bar"), QStringLiteral("MPa")});
  m_temperatureUnitList = new QComboBox(unitsGroup);
  m_temperatureUnitList->addItems({QStringLiteral("°C"), QStringLiteral("K")});
  unitsLayout->addRow(m_siButton);
  unitsLayout->addRow(m_englishButton);
  unitsLayout->addRow(QStringLiteral("Pressure:"), m_pressureUnitList);
  unitsLayout->addRow(QStringLiteral("Temperature:"), m_temperatureUnitList);

  auto* columnsGroup = new QGroupBox(QStringLiteral("C&olumns"), this);
  auto* columnsLayout = new QVBoxLayout(columnsGroup);
  m_columnList = new QListWidget(columnsGroup);
  for (const PropertyInfo& info : kProperties) {
    auto* item = new QListWidgetItem(GridDisplayHandler::PropertyTitle(info.number), m_columnList);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  m_columnList->setMinimumHeight(m_columnList->sizeHintForRow(0) * kColumnListRows);
  columnsLayout->addWidget(m_columnList);

  m_calculateButton = new QPushButton(QStringLiteral("&Calculate"), this);
  m_calculateButton->setDefault(true);
  m_statusLabel = new QLabel(this);
  m_statusLabel->setWordWrap(true);
  auto* actions = new QVBoxLayout();
  actions->addWidget(m_calculateButton);
  actions->addWidget(m_statusLabel, 1);

  auto* top = new QHBoxLayout();
  top->addWidget(tableGroup, 3);
  top->addWidget(unitsGroup, 1);
  top->addWidget(columnsGroup, 2);
  top->addLayout(actions, 1);

  m_tableView = new QTableView(this);
  m_tableView->setModel(&m_model);
  m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tableView->horizontalHeader()->setDefaultSectionSize(
      QFontMetrics(m_tableView->font()).horizontalAdvance(QStringLiteral("-0.000123456 [Btu/lb]")));
  m_tableView->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_tableView->font()).height() +
                                                       4);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_tableView, 1);

  connect(m_kindList, &QComboBox::currentIndexChanged, this, &CTablesPage::OnKindChanged);
  connect(m_pairList, &QComboBox::currentIndexChanged, this, &CTablesPage::UpdateUnitLabels);
  connect(m_siButton, &QRadioButton::toggled, this, &CTablesPage::OnUnitsChanged);
  connect(m_pressureUnitList, &QComboBox::currentIndexChanged, this, &CTablesPage::OnUnitsChanged);
  connect(m_temperatureUnitList, &QComboBox::currentIndexChanged, this,
          &CTablesPage::OnUnitsChanged);
  connect(m_calculateButton, &QPushButton::clicked, this, &CTablesPage::Calculate);
  for (QLineEdit* edit : {m_pressuresEdit, m_fixedEdit, m_fromEdit, m_toEdit, m_stepEdit}) {
    connect(edit, &QLineEdit::returnPressed, this, &CTablesPage::Calculate);
  }
}

tables::UnitChoice CTablesPage::units() const {
  tables::UnitChoice choice;
  choice.english = m_englishButton->isChecked();
  choice.pressure = m_pressureUnitList->currentIndex() == 1 ? tables::PressureUnit::Megapascal
                                                            : tables::PressureUnit::Bar;
  choice.temperature = m_temperatureUnitList->currentIndex() == 1
                           ? tables::TemperatureUnit::Kelvin
                           : tables::TemperatureUnit::Celsius;
  return choice;
}

void CTablesPage::OnKindChanged() {
  const auto kind = static_cast<tables::TableKind>(std::max(0, m_kindList->currentIndex()));
  auto* form = static_cast<QFormLayout*>(m_pairList->parentWidget()->layout());
  form->setRowVisible(m_pairList, kind == tables::TableKind::Isoline);
  form->setRowVisible(m_fixedLabel, kind == tables::TableKind::Isoline);
  form->setRowVisible(m_pressuresLabel, kind == tables::TableKind::Grid);
  const Defaults defaults = DefaultsFor(kind, units());
  m_fromEdit->setText(QString::fromUtf8(defaults.from));
  m_toEdit->setText(QString::fromUtf8(defaults.to));
  m_stepEdit->setText(QString::fromUtf8(defaults.step));
  if (kind == tables::TableKind::Grid) {
    m_pressuresEdit->setText(QString::fromUtf8(defaults.extra));
  } else if (kind == tables::TableKind::Isoline) {
    m_fixedEdit->setText(QString::fromUtf8(defaults.extra));
  }
  UpdateUnitLabels();
}

void CTablesPage::OnUnitsChanged() {
  const bool si = m_siButton->isChecked();
  m_pressureUnitList->setEnabled(si);
  m_temperatureUnitList->setEnabled(si);
  UpdateUnitLabels();
  // The records are SI: the table is shown again, not calculated again.
  m_model.setUnits(units());
}

void CTablesPage::UpdateUnitLabels() {
  tables::TableRequest request;
  request.kind = static_cast<tables::TableKind>(std::max(0, m_kindList->currentIndex()));
  request.pair =
      kInputPairs[static_cast<std::size_t>(std::max(0, m_pairList->currentIndex()))].pair;
  const tables::UnitChoice choice = units();
  const Quantity stepped = tables::SteppedQuantity(request);
  m_steppedLabel->setText(QuantityLabel(stepped));
  m_steppedUnit->setText(FromView(tables::UnitText(stepped, choice)));
  m_pressuresUnit->setText(FromView(tables::UnitText(Quantity::Pressure, choice)));
  const Quantity fixed = tables::FixedQuantity(request).value_or(Quantity::Pressure);
  m_fixedLabel->setText(QuantityLabel(fixed));
  m_fixedUnit->setText(FromView(tables::UnitText(fixed, choice)));
}

void CTablesPage::SelectColumns(const std::vector<const PropertyInfo*>& properties) {
  for (int row = 0; row < m_columnList->count(); ++row) {
    const PropertyInfo* info = &PropertyByNumber(row + 1);
    const bool chosen = std::find(properties.begin(), properties.end(), info) != properties.end();
    m_columnList->item(row)->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
  }
}

namespace {
const QString kSettingsGroup = QStringLiteral("Steam Tables");
}  // namespace

void CTablesPage::LoadSettings() {
  QSettings settings;
  settings.beginGroup(kSettingsGroup);
  if (!settings.contains(QStringLiteral("kind"))) {
    return;
  }
  const auto restoreIndex = [&settings](QComboBox* list, const QString& key) {
    const int index = settings.value(key, list->currentIndex()).toInt();
    if (index >= 0 && index < list->count()) {
      list->setCurrentIndex(index);
    }
  };
  restoreIndex(m_pressureUnitList, QStringLiteral("pressureUnit"));
  restoreIndex(m_temperatureUnitList, QStringLiteral("temperatureUnit"));
  (settings.value(QStringLiteral("english")).toBool() ? m_englishButton : m_siButton)
      ->setChecked(true);
  restoreIndex(m_pairList, QStringLiteral("pair"));
  restoreIndex(m_kindList, QStringLiteral("kind"));
  for (const auto& [edit, key] :
       {std::pair{m_fromEdit, "from"}, std::pair{m_toEdit, "to"}, std::pair{m_stepEdit, "step"},
        std::pair{m_pressuresEdit, "pressures"}, std::pair{m_fixedEdit, "fixed"}}) {
    edit->setText(settings.value(QString::fromLatin1(key), edit->text()).toString());
  }
  std::string unknown;
  const auto columns = tables::ParsePropertyKeys(
      settings.value(QStringLiteral("columns")).toString().toStdString(), &unknown);
  if (columns) {
    SelectColumns(*columns);
  }
}

void CTablesPage::SaveSettings() const {
  QSettings settings;
  settings.beginGroup(kSettingsGroup);
  settings.setValue(QStringLiteral("kind"), m_kindList->currentIndex());
  settings.setValue(QStringLiteral("pair"), m_pairList->currentIndex());
  settings.setValue(QStringLiteral("english"), m_englishButton->isChecked());
  settings.setValue(QStringLiteral("pressureUnit"), m_pressureUnitList->currentIndex());
  settings.setValue(QStringLiteral("temperatureUnit"), m_temperatureUnitList->currentIndex());
  for (const auto& [edit, key] :
       {std::pair{m_fromEdit, "from"}, std::pair{m_toEdit, "to"}, std::pair{m_stepEdit, "step"},
        std::pair{m_pressuresEdit, "pressures"}, std::pair{m_fixedEdit, "fixed"}}) {
    settings.setValue(QString::fromLatin1(key), edit->text());
  }
  QStringList keys;
  for (const PropertyInfo* info : m_model.table().request.properties) {
    keys << FromView(info->key);
  }
  settings.setValue(QStringLiteral("columns"), keys.join(QLatin1Char(',')));
}

void CTablesPage::Warn(const QString& message) {
  MessageService::Instance().Show(this, MessageService::Icon::Warning, message);
}

std::optional<tables::TableRequest> CTablesPage::ReadRequest() {
  tables::TableRequest request;
  request.kind = static_cast<tables::TableKind>(std::max(0, m_kindList->currentIndex()));
  request.pair =
      kInputPairs[static_cast<std::size_t>(std::max(0, m_pairList->currentIndex()))].pair;
  request.units = units();
  for (int row = 0; row < m_columnList->count(); ++row) {
    if (m_columnList->item(row)->checkState() == Qt::Checked) {
      request.properties.push_back(&PropertyByNumber(row + 1));
    }
  }
  const std::pair<QLineEdit*, double*> numbers[] = {{m_fromEdit, &request.range.from},
                                                    {m_toEdit, &request.range.to},
                                                    {m_stepEdit, &request.range.step}};
  for (const auto& [edit, value] : numbers) {
    const std::optional<double> number = ReadNumber(edit->text());
    if (!number) {
      Warn(edit->text().trimmed().isEmpty() ? QStringLiteral("Enter input data!")
                                            : QStringLiteral("Not a number: %1").arg(edit->text()));
      edit->setFocus();
      return std::nullopt;
    }
    *value = *number;
  }
  if (request.kind == tables::TableKind::Isoline) {
    const std::optional<double> number = ReadNumber(m_fixedEdit->text());
    if (!number) {
      Warn(QStringLiteral("Enter input data!"));
      m_fixedEdit->setFocus();
      return std::nullopt;
    }
    request.fixed = *number;
  }
  if (request.kind == tables::TableKind::Grid) {
    QString list = m_pressuresEdit->text();
    list.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (QLocale().decimalPoint() != QStringLiteral(",")) {
      list.replace(QLatin1Char(','), QLatin1Char(' '));
    }
    for (const QString& word :
         list.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
      const std::optional<double> number = ReadNumber(word);
      if (!number) {
        Warn(QStringLiteral("Not a pressure: %1").arg(word));
        m_pressuresEdit->setFocus();
        return std::nullopt;
      }
      request.pressures.push_back(*number);
    }
  }
  return request;
}

void CTablesPage::Calculate() {
  std::optional<tables::TableRequest> request = ReadRequest();
  if (!request) {
    return;
  }
  if (request->properties.empty()) {
    Warn(QStringLiteral("Choose at least one column."));
    return;
  }
  std::size_t rows = 0;
  const tables::RangeError error = tables::CheckRequest(*request, &rows, kRowLimit);
  if (error == tables::RangeError::TooManyRows) {
    Warn(QStringLiteral("The table would have more than %1 rows; choose a larger step.")
             .arg(QLocale().toString(static_cast<qulonglong>(kRowLimit))));
    return;
  }
  if (error != tables::RangeError::None) {
    QString message = QString::fromStdString(tables::RangeErrorMessage(error));
    message[0] = message[0].toUpper();
    Warn(message + QLatin1Char('.'));
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tables::SteamTable table;
  tables::Generate(*request, m_engine, table, kRowLimit);
  QApplication::restoreOverrideCursor();
  const auto missing = std::count_if(table.rows.begin(), table.rows.end(), [](const auto& row) {
    return row.status == tables::RowStatus::OutOfRange || row.status == tables::RowStatus::TwoPhase;
  });
  const std::size_t count = table.rows.size();
  m_model.setTable(std::move(table));
  m_model.setUnits(units());
  SaveSettings();
  m_statusLabel->setText(
      missing == 0 ? QStringLiteral("%1 rows").arg(count)
                   : QStringLiteral("%1 rows, %2 without a state").arg(count).arg(missing));
}

void CTablesPage::copySelection() const {
  if (!hasTable()) {
    return;
  }
  QApplication::clipboard()->setText(
      m_model.copyText(m_tableView->selectionModel()->selectedIndexes()));
}

}  // namespace vaporix
