// Draws the two input pages with a result into FOLDER/page-general.png and
// FOLDER/page-saturation.png, the pictures of the help and the README:
//
//   QT_QPA_PLATFORM=offscreen build/dev/tools/vaporix-page-pictures docs

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <cstdio>

#include "CNumericEdit.h"
#include "CPageGeneral.h"
#include "CPageSaturation.h"
#include "CVaporixDoc.h"
#include "CVaporixView.h"

namespace {

void Calculate(vaporix::CInputPropertyPage& page, int function, const QString& first,
               const QString& second) {
  page.functionList().setCurrentIndex(function);
  page.firstEdit().setText(first);
  page.secondEdit().setText(second);
  page.calculateButton().click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vaporix-page-pictures FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  vaporix::CVaporixDoc document;
  vaporix::CVaporixView view{document};
  view.resize(1220, 1140);
  view.show();
  QApplication::processEvents();

  Calculate(view.generalPage(), 0, QStringLiteral("10"), QStringLiteral("250"));
  const bool general = view.grab().save(folder + QStringLiteral("/page-general.png"));

  view.SetActivePage(vaporix::CVaporixView::kSaturationPageIndex);
  Calculate(view.saturationPage(), 2, QStringLiteral("10"), QStringLiteral("2000"));  // (p, h)
  const bool saturation = view.grab().save(folder + QStringLiteral("/page-saturation.png"));
  if (!general || !saturation || !view.saturationPage().hasResults()) {
    std::fprintf(stderr, "vaporix-page-pictures: cannot draw the pages into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
