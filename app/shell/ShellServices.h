#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QPrinter;
class QWidget;

namespace vaporix {

// The modal dialogs and desktop hand-offs of the shell, behind one interface
// so that tests can answer them without blocking the event loop.
class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // A file name picked in an open dialog, or an empty string when cancelled.
  virtual QString GetOpenFileName(QWidget* parent, const QString& filter) = 0;
  // A file name picked in a save dialog that starts at `suggestedPath`, or
  // an empty string when cancelled.
  virtual QString GetSaveFileName(QWidget* parent, const QString& suggestedPath,
                                  const QString& filter) = 0;
  // The print dialog; true when the user asked to print.
  virtual bool ExecPrintDialog(QWidget* parent, QPrinter& printer) = 0;
  // The page and printer setup dialog; true when the user accepted it.
  virtual bool ExecPrintSetupDialog(QWidget* parent, QPrinter& printer) = 0;
  // The print preview; `paint` draws the pages on the printer it is given.
  virtual void ExecPrintPreview(QWidget* parent, QPrinter& printer,
                                const std::function<void(QPrinter&)>& paint) = 0;
  // The About box.
  virtual void ExecAboutBox(QWidget* parent) = 0;
  // Hands a mail or web address to the desktop's handler.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

// The real dialogs and QDesktopServices.
class QtShellServices : public ShellServices {
 public:
  QString GetOpenFileName(QWidget* parent, const QString& filter) override;
  QString GetSaveFileName(QWidget* parent, const QString& suggestedPath,
                          const QString& filter) override;
  bool ExecPrintDialog(QWidget* parent, QPrinter& printer) override;
  bool ExecPrintSetupDialog(QWidget* parent, QPrinter& printer) override;
  void ExecPrintPreview(QWidget* parent, QPrinter& printer,
                        const std::function<void(QPrinter&)>& paint) override;
  void ExecAboutBox(QWidget* parent) override;
  bool OpenUrl(const QUrl& url) override;
};

}  // namespace vaporix
