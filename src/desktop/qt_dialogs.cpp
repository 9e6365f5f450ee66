#include "desktop/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace mirvane {

MessageAnswer QtDialogs::MessageBox(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon, const std::string& title) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(icon == MessageIcon::Critical   ? QMessageBox::Critical
              : icon == MessageIcon::Question ? QMessageBox::Question
                                              : QMessageBox::NoIcon);
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageAnswer::Ok;
}

}  // namespace mirvane
