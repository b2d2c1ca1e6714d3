#pragma once

#include <QWidget>

#include "vaporix/StateProperties.h"

class QPrinter;
class QTabWidget;

namespace vaporix {

class CCaption;
class CFlatButton;
class CGridCtrl;

// The output pane, which lists every result of the document as one row of
// its SI table or of its English table.
class COutputView : public QWidget {
  Q_OBJECT

 public:
  // Document update hints this pane reacts to.
  static constexpr int kHintSIResultAdded = 101;
  static constexpr int kHintEnglishResultAdded = 102;
  static constexpr int kHintDropSelection = 103;

  static constexpr int kInitialRowCount = 21;  // header row and 20 result rows
  static constexpr int kColumnCount = 15;
  static constexpr int kRowGrowth = 10;
  static constexpr int kCaptionHeight = 19;

  explicit COutputView(QWidget* parent = nullptr);
  ~COutputView() override;

  // Reacts to a document update: 101 appends an SI row and 102 an English
  // row from `latestState`, 103 drops the selection of both tables; any
  // other hint only redraws.
  void OnUpdate(int hint, const StateProperties& latestState);

  void AppendSIRow(const StateProperties& state);
  void AppendEnglishRow(const StateProperties& state);

  // Empties every result row of both tables; row counts and row numbers stay.
  void ClearTables();

  int siRowCount() const { return m_siRowCount; }
  int englishRowCount() const { return m_englishRowCount; }

  CGridCtrl& siTable() const { return *m_siTable; }
  CGridCtrl& englishTable() const { return *m_englishTable; }
  // The pane height that shows the header row and `rows` result rows with
  // a horizontal scroll bar below them.
  int heightForRows(int rows) const;
  // The tab text of a table ("SI Unit results", "English Unit results").
  QString tableTitle(const CGridCtrl& table) const;
  // The table of the active tab.
  CGridCtrl& activeTable() const;
  QTabWidget& tabs() const { return *m_tabs; }
  CCaption& caption() const { return *m_caption; }
  CFlatButton& closeButton() const { return *m_closeButton; }

  // Copy is possible while the table of the active tab has a selection.
  bool canCopy() const;
  // Copies the selected cells of the filled rows, after a header line with
  // the names of the selected columns.
  void copySelection() const;
  QString selectedResultsText() const;
  // Prints the table of the active tab; answers the number of pages.
  // `titleLine` and the tab's name head every page; rows without a result
  // are not printed.
  int printActiveTable(QPrinter& printer, const QString& titleLine = QString()) const;
  int printTable(QPrinter& printer, bool english, const QString& titleLine) const;

  // Draws the caption in the selection colours while the pane is active.
  void setActive(bool active);
  bool isActive() const { return m_active; }

 Q_SIGNALS:
  // The close button was pressed; the shell hides the pane.
  void closeRequested();
  // A table received the keyboard focus; every grid of every view should
  // drop its selection (document hint 103).
  void tableFocused();
  // A result row was double-clicked: its index in the document's SI or
  // English result list.
  void resultActivated(bool english, int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void BuildTable(CGridCtrl& table, bool english);
  void ShowNewRow(CGridCtrl& table, int row);
  int filledRowCount(const CGridCtrl& table) const;
  static void AppendRow(CGridCtrl& table, int& filledRows, const StateProperties& state,
                        bool english);

  CCaption* m_caption;
  CFlatButton* m_closeButton;
  QTabWidget* m_tabs;
  CGridCtrl* m_siTable;
  CGridCtrl* m_englishTable;
  int m_siRowCount = 0;
  int m_englishRowCount = 0;
  bool m_active = false;
  QMetaObject::Connection m_focusConnection;
};

}  // namespace vaporix
