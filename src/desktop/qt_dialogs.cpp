#include "desktop/qt_dialogs.h"

#include <QApplication>
#include <QAbstractButton>
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
  // The buttons in the language of the texts above them.
  const std::string language = language_ ? language_() : "en";
  const char* yes = "&Yes";
  const char* no = "&No";
  const char* ok = "OK";
  if (language == "es") {
    yes = "&S\u00ED";
    no = "&No";
    ok = "Aceptar";
  } else if (language == "fr") {
    yes = "&Oui";
    no = "&Non";
  } else if (language == "pt") {
    yes = "&Sim";
    no = "&N\u00E3o";
  }
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(yes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(no));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.button(QMessageBox::Ok)->setText(QString::fromUtf8(ok));
  box.exec();
  return MessageAnswer::Ok;
}

}  // namespace mirvane
