#include "certificate/frm_certificate.h"

#include "platform/browser.h"
#include "texts/text_table.h"

namespace mirvane {

FrmCertificate::FrmCertificate(App& app) : Form("frmCertificate"), app_(app) {
  border = BorderStyle::FixedSingle;
  caption = "";
  min_button = false;
  max_button = false;
  centered = true;
  client_width = 10230;
  client_height = 7365;
  width = 10230;
  height = 7365;
  back_color = kWindowColor;

  AddControl("wbCertificate", ControlKind::Browser, 0, 0, 10230, 7380);
  // Never shown: it carries the score from the player to the page.
  Control& score = AddControl("txtScore", ControlKind::TextBox, 7440, 5760, 1215, 495);
  score.visible = false;
  score.text = "Text1";
  // Never shown either: printing belongs to the page.
  AddControl("cmdPrint", ControlKind::Button, 60, 6060, 735, 255).visible = false;
}

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string FrmCertificate::MovieAddress() const {
  return "certificate.swf?student_name=" + PercentEncode(app_.CurrentUser) +
         "&score=" + PercentEncode(control("txtScore").text);
}

void FrmCertificate::Form_Load() {
  control("cmdPrint").text = GetText(app_, "l29");
  browser("wbCertificate")->Navigate(app_.ContentFolder + kCertificatePage);
}

void FrmCertificate::Click(std::string_view control) {
  if (control == "cmdPrint") browser("wbCertificate")->Print();
}

void FrmCertificate::DocumentComplete(std::string_view control, const std::string&) {
  // A page without the movie element (an error page, a page a link led to)
  // is left as it is.
  if (control == "wbCertificate") {
    browser("wbCertificate")->SetItemProperty("flashcertificate", "movie", MovieAddress());
  }
}

}  // namespace mirvane
