#include "MessageService.h"

#include <QMessageBox>

namespace vaporix {
namespace {

// The user interface runs on one thread; the installed service is a test hook.
MessageService* installedService = nullptr;

QMessageBox::Icon ToQtIcon(MessageService::Icon icon) {
  switch (icon) {
    case MessageService::Icon::Information:
      return QMessageBox::Information;
    case MessageService::Icon::Warning:
      return QMessageBox::Warning;
    case MessageService::Icon::Stop:
      return QMessageBox::Critical;
    case MessageService::Icon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

const QString kTitle = QStringLiteral("Vaporix");

}  // namespace

MessageService& MessageService::Instance() {
  static QtMessageService qtService;
  return installedService != nullptr ? *installedService : qtService;
}

void MessageService::Install(MessageService* service) {
  installedService = service;
}

void QtMessageService::Show(QWidget* parent, Icon icon, const QString& text) {
  QMessageBox box(ToQtIcon(icon), kTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

MessageService::Answer QtMessageService::AskYesNoCancel(QWidget* parent, const QString& text) {
  const auto button = QMessageBox::question(
      parent, kTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
      QMessageBox::Yes);
  switch (button) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

}  // namespace vaporix
