// One window of the program on the screen, drawn from its model.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <map>
#include <string>

#include "platform/window_model.h"

namespace mirvane {

class QtWindowSystem;

class FormWidget : public QWidget {
 public:
  FormWidget(QtWindowSystem& windows, Form& form);

  Form* form() const { return form_; }
  // The window is unloaded: its model is going away.
  void Release();

  // Puts a browser's view in place of its control.
  void Adopt(const std::string& control, QWidget* view);
  // The widget that draws a control, or null.
  QWidget* ControlWidget(const std::string& control) const;

  // Draws every property again from the model.
  void Sync();
  // Shows the window the first time: placed, sized, maximised as the model says.
  void ShowFirst(QWidget* owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void SyncControl(const Control& c, QWidget* w);
  QSize ClientSize() const;
  std::string FocusedControl() const;

  QtWindowSystem& windows_;
  Form* form_;
  std::map<std::string, QWidget*> widgets_;
  QPixmap picture_;
  bool syncing_ = false;
  bool shown_ = false;
};

// Twips to device-independent pixels and back.
int Pixels(double twips);
double Twips(int pixels);

}  // namespace mirvane
