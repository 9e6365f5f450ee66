// The program's windows as plain models.
//
// A window (Form) holds its controls as values: kind, place and size in
// twips, text, visibility, font, colours. The core's window classes derive
// from Form and put their event procedures (Form_Load, a control's Click, a
// browser's BeforeNavigate2) in the virtual handlers below. A front end draws
// the models and forwards the user's actions to the handlers; tests call the
// handlers directly. Nothing here knows how a window is drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirvane {

class Browser;

// 1440 twips make an inch; 15 twips make one device-independent pixel.
inline constexpr double kTwipsPerPixel = 15.0;

enum class ControlKind {
  Label,       // text; opaque or transparent; may take clicks
  TextBox,     // one line, or several with a scroll bar; may mask its text
  Button,      // a push button; "&" in its caption marks the access key
  Frame,       // a box with a caption that holds other controls
  PictureBox,  // an area (with an optional picture) that holds other controls
  Image,       // a picture, or an invisible area that takes clicks
  Browser,     // an embedded browser
};

enum class Alignment { Left, Right, Center };
enum class MousePointer { Default, Arrow, Hourglass, Hand };

// Colours are 0xRRGGBB.
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kButtonFace = 0xF0F0F0;  // the system's control colour
inline constexpr std::uint32_t kWindowColor = 0xFFFFFF;  // the system's window colour

struct FontSpec {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

struct Control {
  std::string name;
  ControlKind kind = ControlKind::Label;
  double left = 0, top = 0, width = 0, height = 0;  // twips, in the container
  std::string container;  // name of the frame or picture box it sits in; empty: the window
  std::string text;       // caption of labels, buttons and frames; contents of a text box
  bool visible = true;
  bool enabled = true;
  FontSpec font;
  std::uint32_t fore_color = kBlack;
  std::uint32_t back_color = kButtonFace;
  bool transparent = false;  // a label that shows what lies behind it
  Alignment alignment = Alignment::Left;
  bool word_wrap = false;
  std::string password_char;  // a text box that shows this in place of each character
  bool multi_line = false;
  bool vertical_scroll_bar = false;
  int max_length = 0;        // text box: 0 is no limit
  bool is_default = false;   // the button Enter presses
  bool is_cancel = false;    // the button Esc presses
  bool clickable = false;    // labels and images that take clicks
  std::string picture;       // resource name of a picture
  MousePointer mouse_pointer = MousePointer::Default;
  int tab_index = 0;
};

enum class BorderStyle { None, FixedSingle, Sizable };
enum class WindowState { Normal, Minimized, Maximized };

class Form {
 public:
  explicit Form(std::string name) : name_(std::move(name)) {}
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  // Window properties.
  std::string caption;
  BorderStyle border = BorderStyle::Sizable;
  bool control_box = true;  // the close box (and system menu)
  bool min_button = true;
  bool max_button = true;
  bool show_in_taskbar = true;
  bool centered = false;    // centred on the screen when first shown
  WindowState state = WindowState::Normal;
  double left = 0, top = 0;               // twips
  double width = 4800, height = 3600;     // outer size, twips
  double client_width = 0, client_height = 0;  // inner size when it is what the design fixes
  std::uint32_t back_color = kButtonFace;
  std::string picture;  // resource name of the background picture
  MousePointer mouse_pointer = MousePointer::Default;
  bool key_preview = false;  // the window sees keys before its controls
  bool visible = false;      // shown on the screen (set when it is shown)

  // Sets the window state as the window system would: maximising takes the
  // screen's size; either way the window's Form_Resize runs.
  void SetWindowState(WindowState new_state, double screen_width, double screen_height);

  std::vector<Control>& controls() { return controls_; }
  const std::vector<Control>& controls() const { return controls_; }
  Control& AddControl(Control control);
  // A control of that kind at its place, with every other property at its default.
  Control& AddControl(std::string name, ControlKind kind, double left, double top, double width,
                      double height);
  // The control of that name; throws std::out_of_range for a name the window lacks.
  Control& control(std::string_view name);
  const Control& control(std::string_view name) const;
  Control* FindControl(std::string_view name);

  // The browser of a browser control, once the window system made it.
  Browser* browser(std::string_view control_name);
  void AttachBrowser(std::string_view control_name, std::unique_ptr<Browser> browser);

  // Event procedures. The defaults do nothing.
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  // The user asks to close the window (close box, Alt+F4). Set cancel to keep it.
  virtual void Form_QueryUnload(bool& cancel) { (void)cancel; }
  virtual void Form_Unload() {}
  virtual void Click(std::string_view control) { (void)control; }
  // A key typed in a control: Enter is 13, Esc 27. Set key to 0 to swallow it.
  virtual void KeyPress(std::string_view control, int& key) {
    (void)control;
    (void)key;
  }
  // The user changed the text of a text box (the model already holds it).
  virtual void Change(std::string_view control) { (void)control; }
  virtual void BeforeNavigate2(std::string_view control, const std::string& url, bool& cancel) {
    (void)control;
    (void)url;
    (void)cancel;
  }
  virtual void DocumentComplete(std::string_view control, const std::string& url) {
    (void)control;
    (void)url;
  }

 private:
  std::string name_;
  std::vector<Control> controls_;
  std::vector<std::pair<std::string, std::unique_ptr<Browser>>> browsers_;
};

// Delivers a key typed in a control the way the window system does: Enter
// presses the window's default button and Esc its cancel button (when one is
// visible and enabled); Enter on a button presses that button; every other key
// goes to the window's KeyPress.
void PressKey(Form& form, std::string_view control, int key);

}  // namespace mirvane
