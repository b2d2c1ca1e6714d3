#include "app/shell/InputPane.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vaporix {
namespace {

// Stands in for the input pages while they are not part of the program.
class PlaceholderInputPane : public InputPane {
 public:
  explicit PlaceholderInputPane(QWidget* parent) : m_widget(new QWidget(parent)) {
    auto* layout = new QVBoxLayout(m_widget);
    layout->addWidget(new QLabel(QStringLiteral("Input pages")), 0, Qt::AlignCenter);
  }

  QWidget& widget() override { return *m_widget; }
  bool canCopy() const override { return false; }
  void copySelection() override {}
  int print(QPrinter& /*printer*/) override { return 0; }

 private:
  QWidget* m_widget;  // owned by its parent
};

}  // namespace

std::unique_ptr<InputPane> CreateInputPane(CVaporixDoc& /*document*/, QWidget* parent) {
  return std::make_unique<PlaceholderInputPane>(parent);
}

}  // namespace vaporix
