#include "desktop/form_widget.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "desktop/qt_window_system.h"

namespace mirvane {

namespace {

// The title bar and borders of a window with a border, in twips: the design
// heights count them, the drawn area does not.
constexpr double kCaptionTwips = 375;

QColor Rgb(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QFont FontOf(const FontSpec& spec) {
  QFont font;
  // Liberation Sans has the metrics of the fonts courses were laid out in.
  font.setFamilies({QString::fromStdString(spec.name), "Liberation Sans", "Arial", "DejaVu Sans"});
  font.setPointSizeF(spec.size);
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

Qt::CursorShape CursorOf(MousePointer pointer) {
  switch (pointer) {
    case MousePointer::Arrow: return Qt::ArrowCursor;
    case MousePointer::Hourglass: return Qt::WaitCursor;
    case MousePointer::Hand: return Qt::PointingHandCursor;
    case MousePointer::Default: break;
  }
  return Qt::ArrowCursor;
}

Qt::Alignment AlignmentOf(Alignment a) {
  switch (a) {
    case Alignment::Right: return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Center: return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

}  // namespace

int Pixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
double Twips(int pixels) { return pixels * kTwipsPerPixel; }

FormWidget::FormWidget(QtWindowSystem& windows, Form& form)
    : QWidget(nullptr), windows_(windows), form_(&form) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setObjectName(QString::fromStdString(form.name()));
  Qt::WindowFlags flags = Qt::Window;
  if (form.border == BorderStyle::None) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (form.control_box) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    if (form.min_button) flags |= Qt::WindowMinimizeButtonHint;
    if (form.max_button) flags |= Qt::WindowMaximizeButtonHint;
  }
  // A window kept off the taskbar (the player, over its backdrop).
  if (!form.show_in_taskbar) flags |= Qt::Tool;
  setWindowFlags(flags);
  if (!form.picture.empty()) picture_ = QPixmap(":/" + QString::fromStdString(form.picture) + ".png");
  Build();
}

void FormWidget::Release() {
  form_ = nullptr;
  for (auto& [name, widget] : widgets_) widget->removeEventFilter(this);
}

void FormWidget::Build() {
  // Containers first, so that every control finds the widget it sits in.
  for (const Control& c : form_->controls()) {
    QWidget* w = nullptr;
    const QString name = QString::fromStdString(c.name);
    switch (c.kind) {
      case ControlKind::Label:
      case ControlKind::Image: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        w = label;
        break;
      }
      case ControlKind::TextBox:
        if (c.multi_line) {
          auto* box = new QPlainTextEdit(this);
          box->setVerticalScrollBarPolicy(c.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAsNeeded);
          QObject::connect(box, &QPlainTextEdit::textChanged, this, [this, box, name]() {
            if (syncing_ || form_ == nullptr) return;
            if (Control* m = form_->FindControl(name.toStdString())) m->text = box->toPlainText().replace("\n", "\r\n").toStdString();
          });
          w = box;
        } else {
          auto* box = new QLineEdit(this);
          QObject::connect(box, &QLineEdit::textEdited, this, [this, box, name](const QString&) {
            if (form_ == nullptr) return;
            std::string control = name.toStdString();
            if (Control* m = form_->FindControl(control)) m->text = box->text().toStdString();
            Form* f = form_;
            windows_.Dispatch([f, control]() { f->Change(control); });
          });
          QObject::connect(box, &QLineEdit::returnPressed, this, [this, name]() {
            if (form_ == nullptr) return;
            Form* f = form_;
            std::string control = name.toStdString();
            windows_.Dispatch([f, control]() { PressKey(*f, control, 13); });
          });
          w = box;
        }
        break;
      case ControlKind::Button: {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, this, [this, name]() {
          if (form_ == nullptr) return;
          Form* f = form_;
          std::string control = name.toStdString();
          windows_.Dispatch([f, control]() { f->Click(control); });
        });
        w = button;
        break;
      }
      case ControlKind::Frame:
        w = new QGroupBox(this);
        break;
      case ControlKind::PictureBox: {
        auto* box = new QWidget(this);
        box->setAutoFillBackground(true);
        w = box;
        break;
      }
      case ControlKind::Browser:
        continue;  // the browser's view comes from the window system
    }
    w->setObjectName(name);
    w->installEventFilter(this);
    widgets_[c.name] = w;
  }
  for (const Control& c : form_->controls()) {
    auto it = widgets_.find(c.name);
    if (it == widgets_.end() || c.container.empty()) continue;
    auto parent = widgets_.find(c.container);
    if (parent != widgets_.end()) it->second->setParent(parent->second);
  }
}

void FormWidget::Adopt(const std::string& control, QWidget* view) {
  view->setParent(this);
  view->setObjectName(QString::fromStdString(control));
  widgets_[control] = view;
  view->lower();
}

QWidget* FormWidget::ControlWidget(const std::string& control) const {
  auto it = widgets_.find(control);
  return it == widgets_.end() ? nullptr : it->second;
}

QSize FormWidget::ClientSize() const {
  if (form_->client_width > 0 && form_->client_height > 0) {
    return {Pixels(form_->client_width), Pixels(form_->client_height)};
  }
  double height = form_->height - (form_->border == BorderStyle::None ? 0 : kCaptionTwips);
  return {Pixels(form_->width), Pixels(height)};
}

void FormWidget::SyncControl(const Control& c, QWidget* w) {
  const QString text = QString::fromStdString(c.text);
  w->setGeometry(Pixels(c.left), Pixels(c.top), Pixels(c.width), Pixels(c.height));
  w->setVisible(c.visible);
  w->setEnabled(c.enabled);
  w->setCursor(CursorOf(c.mouse_pointer == MousePointer::Default && c.clickable ? MousePointer::Hand
                                                                                : c.mouse_pointer));
  if (c.kind == ControlKind::Browser) return;
  w->setFont(FontOf(c.font));
  QPalette palette = w->palette();
  palette.setColor(QPalette::WindowText, Rgb(c.fore_color));
  palette.setColor(QPalette::Window, Rgb(c.back_color));
  palette.setColor(QPalette::Text, Rgb(c.fore_color));
  palette.setColor(QPalette::Base, Rgb(c.back_color));
  w->setPalette(palette);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(c.kind == ControlKind::Image ? QString() : text);
    label->setAlignment(AlignmentOf(c.alignment));
    label->setWordWrap(c.word_wrap);
    label->setAutoFillBackground(!c.transparent && c.kind == ControlKind::Label);
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    if (line->text() != text) line->setText(text);
    line->setEchoMode(c.password_char.empty() ? QLineEdit::Normal : QLineEdit::Password);
    if (!c.password_char.empty()) {
      QString mask = QString::fromStdString(c.password_char);
      line->setStyleSheet(QString("QLineEdit { lineedit-password-character: %1; }").arg(mask.at(0).unicode()));
    }
    if (c.max_length > 0) line->setMaxLength(c.max_length);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
    QString plain = QString(text).replace("\r\n", "\n");
    if (box->toPlainText() != plain) box->setPlainText(plain);
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    button->setText(text);  // "&" marks the access key, as on the buttons' home system
    button->setDefault(c.is_default);
  } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
    frame->setTitle(text);
    frame->setAutoFillBackground(true);
  }
}

void FormWidget::Sync() {
  if (form_ == nullptr) return;
  syncing_ = true;
  setWindowTitle(QString::fromStdString(form_->caption));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Rgb(form_->back_color));
  setPalette(palette);
  setAutoFillBackground(true);
  setCursor(CursorOf(form_->mouse_pointer));
  if (form_->state == WindowState::Maximized) {
    // Placed by hand as well: without a window manager nothing maximises.
    QScreen* on = screen();
    if (on != nullptr && geometry() != on->availableGeometry()) setGeometry(on->availableGeometry());
  } else {
    QSize size = ClientSize();
    if (form_->border == BorderStyle::FixedSingle) {
      setFixedSize(size);
    } else if (this->size() != size) {
      resize(size);
    }
  }
  for (const Control& c : form_->controls()) {
    if (QWidget* w = ControlWidget(c.name)) SyncControl(c, w);
  }
  // Later controls lie above earlier ones, as they were drawn on the design.
  for (const Control& c : form_->controls()) {
    if (QWidget* w = ControlWidget(c.name)) w->raise();
  }
  syncing_ = false;
}

void FormWidget::ShowFirst(QWidget* owner) {
  if (owner != nullptr && parentWidget() != owner) {
    Qt::WindowFlags flags = windowFlags();
    setParent(owner, flags);
  }
  Sync();
  if (!shown_ && form_ != nullptr && form_->centered) {
    QRect screen = (owner != nullptr ? owner->screen() : QWidget::screen())->availableGeometry();
    QSize size = ClientSize();
    move(screen.center() - QPoint(size.width() / 2, size.height() / 2));
  }
  shown_ = true;
  if (form_ != nullptr && form_->state == WindowState::Maximized) {
    showMaximized();
  } else {
    show();
  }
  raise();
  activateWindow();
  // The first text box has the focus when the window opens.
  const Control* first = nullptr;
  for (const Control& c : form_->controls()) {
    if (c.kind == ControlKind::TextBox && c.visible && (first == nullptr || c.tab_index < first->tab_index)) first = &c;
  }
  if (first != nullptr) {
    if (QWidget* w = ControlWidget(first->name)) w->setFocus();
  }
}

void FormWidget::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!picture_.isNull()) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);  // unscaled, from the top-left corner
  }
}

void FormWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (syncing_ || form_ == nullptr) return;
  Form* f = form_;
  double width = Twips(event->size().width());
  double height = Twips(event->size().height()) +
                  (f->border == BorderStyle::None || f->client_height > 0 ? 0 : kCaptionTwips);
  if (f->width == width && f->height == height) return;
  f->width = width;
  f->height = height;
  if (isMaximized()) f->state = WindowState::Maximized;
  windows_.Dispatch([f]() { f->Form_Resize(); });
}

void FormWidget::closeEvent(QCloseEvent* event) {
  if (form_ == nullptr) {
    event->accept();
    return;
  }
  // The window goes only when its model is unloaded.
  event->ignore();
  std::string name = form_->name();
  App& app = windows_.app();
  windows_.Dispatch([&app, name]() { app.forms.RequestClose(name); });
}

std::string FormWidget::FocusedControl() const {
  QWidget* focus = focusWidget();
  for (const auto& [name, w] : widgets_) {
    if (w == focus || (focus != nullptr && w->isAncestorOf(focus))) return name;
  }
  return {};
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
  if (form_ != nullptr && event->key() == Qt::Key_Escape) {
    Form* f = form_;
    std::string control = FocusedControl();
    windows_.Dispatch([f, control]() { PressKey(*f, control, 27); });
    return;
  }
  QWidget::keyPressEvent(event);
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
  if (form_ != nullptr && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (mouse->button() == Qt::LeftButton && w != nullptr && w->rect().contains(mouse->position().toPoint())) {
      std::string name = w->objectName().toStdString();
      Control* c = form_->FindControl(name);
      if (c != nullptr && c->clickable && c->enabled) {
        Form* f = form_;
        windows_.Dispatch([f, name]() { f->Click(name); });
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace mirvane
