#pragma once

#include <QString>

class QWidget;

namespace vaporix {

// Every message box of the program goes through this interface, so that
// tests can capture the messages (and answer questions) without a modal
// dialog blocking the event loop.
class MessageService {
 public:
  enum class Icon { Information, Warning, Stop, Question };
  enum class Answer { Ok, Yes, No, Cancel };

  virtual ~MessageService() = default;

  // A message with an OK button, titled "Vaporix".
  virtual void Show(QWidget* parent, Icon icon, const QString& text) = 0;
  // A Yes/No/Cancel question, titled "Vaporix".
  virtual Answer AskYesNoCancel(QWidget* parent, const QString& text) = 0;

  // The service in use: real message boxes unless a test installed another.
  static MessageService& Instance();
  // Installs `service` (not owned) in place of the message boxes; null restores them.
  static void Install(MessageService* service);
};

// Modal QMessageBox dialogs.
class QtMessageService : public MessageService {
 public:
  void Show(QWidget* parent, Icon icon, const QString& text) override;
  Answer AskYesNoCancel(QWidget* parent, const QString& text) override;
};

}  // namespace vaporix
