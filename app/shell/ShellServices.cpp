#include "ShellServices.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "CAboutDlg.h"

namespace vaporix {

QString QtShellServices::GetOpenFileName(QWidget* parent, const QString& filter) {
  QFileDialog dialog(parent, QStringLiteral("Open"), QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("stb"));
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return dialog.selectedFiles().constFirst();
}

QString QtShellServices::GetSaveFileName(QWidget* parent, const QString& suggestedPath,
                                         const QString& filter) {
  QFileDialog dialog(parent, QStringLiteral("Save As"), suggestedPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("stb"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return dialog.selectedFiles().constFirst();
}

bool QtShellServices::ExecPrintDialog(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool QtShellServices::ExecPrintSetupDialog(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void QtShellServices::ExecPrintPreview(QWidget* parent, QPrinter& printer,
                                       const std::function<void(QPrinter&)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  // The preview opens at the page's width, readable without zooming.
  if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
    preview->fitToWidth();
  }
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&paint](QPrinter* target) { paint(*target); });
  dialog.exec();
}

void QtShellServices::ExecAboutBox(QWidget* parent) {
  CAboutDlg dialog(parent);
  dialog.exec();
}

bool QtShellServices::OpenUrl(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace vaporix
