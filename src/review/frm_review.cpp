#include "review/frm_review.h"

#include "platform/browser.h"
#include "platform/text.h"
#include "startup/item_reader.h"
#include "texts/text_table.h"

namespace mirvane {

namespace {

constexpr std::string_view kReviewPageHeader =
    "<HTML><HEAD/><BODY bgcolor=\"ffffff\" topmargin=\"5\" leftmargin=\"5\">";

std::string ReviewPage(std::string_view body) {
  return std::string(kReviewPageHeader) + "\r\n" + std::string(body) + "\r\n</BODY></HTML>\r\n";
}

}  // namespace

FrmReview::FrmReview(App& app) : Form("frmReview"), app_(app) {
  border = BorderStyle::FixedSingle;
  min_button = false;
  max_button = false;
  centered = true;
  client_width = 10515;
  client_height = 7395;
  width = 10515;
  height = 7395;

  const FontSpec heading{"MS Sans Serif", 9.75, true, false, false};
  AddControl("lblContents", ControlKind::Label, 60, 60, 3675, 255).font = heading;
  AddControl("wbContent", ControlKind::Browser, 60, 360, 10335, 5130);
  AddControl("lblComments", ControlKind::Label, 60, 5580, 3675, 255).font = heading;
  Control& comment = AddControl("txtReview", ControlKind::TextBox, 60, 5880, 10335, 930);
  comment.back_color = kWindowColor;
  comment.multi_line = true;
  comment.vertical_scroll_bar = true;
  // Docked to the bottom edge, the whole width.
  AddControl("Picture1", ControlKind::PictureBox, 0, 7395 - 495, 10515, 495);
  Control& save = AddControl("cmdSave", ControlKind::Button, 7980, 60, 1155, 315);
  save.container = "Picture1";
  Control& close = AddControl("cmdClose", ControlKind::Button, 9240, 60, 1155, 315);
  close.container = "Picture1";
  close.is_cancel = true;
}

std::string FrmReview::FirstViewFile() const {
  return app_.DataFolder + "issues\\original\\l" + at_.path + "_o" + at_.object + "_p" +
         at_.point + ".htm";
}

void FrmReview::Form_Load() {
  at_ = {app_.CurrentLPath, app_.CurrentLObject, app_.CurrentLPoint};
  comment_folder_ = app_.DataFolder + "rawdata\\";
  comment_file_ = app_.CurrentUser + "_" + at_.path + "-" + at_.object + "-" + at_.point + ".raw";
  files_ = ScreenFilesOf(app_, at_);

  control("cmdClose").text = GetText(app_, "l24");
  control("cmdSave").text = GetText(app_, "l25");
  caption = GetText(app_, "l26") + ": " + at_.path + " - " + at_.object + " - " + at_.point;
  control("lblContents").text = GetText(app_, "l33");
  control("lblComments").text = GetText(app_, "l34");
  LoadComment();
  std::string page = PrepareScreenPage(app_, files_, notice_);
  browser("wbContent")->Navigate(page);
}

void FrmReview::LoadComment() {
  FileSystem& files = app_.platform.files;
  if (!files.FolderExists(comment_folder_)) files.CreateFolder(comment_folder_);
  // An empty or unreadable comment file reads as an empty comment.
  TextRead read = ReadTextFile(files, comment_folder_ + comment_file_, TextEncoding::Detect);
  std::string text;
  if (read.status == FileStatus::Ok) {
    ItemReader reader(read.text);
    std::string_view item;
    bool first = true;
    while (reader.Next(item)) {
      if (!first) text += "\r\n";
      text += item;
      first = false;
    }
  }
  control("txtReview").text = Trim(Replace(text, "\\|", ","));
}

void FrmReview::DocumentComplete(std::string_view control, const std::string&) {
  if (control != "wbContent") return;
  loaded_content_ = browser("wbContent")->BodyHtml();
  FileSystem& files = app_.platform.files;
  for (const char* folder : {"issues\\", "issues\\original\\"}) {
    if (!files.FolderExists(app_.DataFolder + folder)) files.CreateFolder(app_.DataFolder + folder);
  }
  // The first view keeps the screen as it was shown at its first review; a
  // page that only says the screen cannot be shown is no view of it.
  if (!notice_ && !files.FileExists(FirstViewFile())) {
    files.WriteFile(FirstViewFile(), PageBytes(ReviewPage(loaded_content_)));
  }
}

bool FrmReview::SaveReview() {
  FileSystem& files = app_.platform.files;
  Control& comment = control("txtReview");
  std::string current = browser("wbContent")->BodyHtml();
  if (current != loaded_content_) {
    if (!files.FolderExists(app_.DataFolder + "issues")) files.CreateFolder(app_.DataFolder + "issues");
    files.WriteFile(files_.screen_page, PageBytes(ReviewPage(current)));
    files.CopyFile(files_.screen_page, files_.edited_file);
    comment.text += "\r\n\r\n" + GetText(app_, "l35");
    // The note is added once per change: what is stored now is the new base.
    loaded_content_ = current;
  }
  if (files.FileExists(files_.screen_page)) files.DeleteFile(files_.screen_page);
  if (!files.FolderExists(comment_folder_)) files.CreateFolder(comment_folder_);
  std::string stored = Trim(Replace(comment.text, ",", "\\|")) + "\r\n";
  return WriteTextFile(files, comment_folder_ + comment_file_, stored) == FileStatus::Ok;
}

void FrmReview::Click(std::string_view control) {
  if (control == "cmdSave") {
    SaveReview();
  } else if (control == "cmdClose") {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (!cancel) app_.forms.Unload(name());
  }
}

void FrmReview::Form_QueryUnload(bool& cancel) {
  // The reviewer closes: a comment that cannot be stored keeps the window
  // open, so that its text is not lost.
  saved_for_close_ = SaveReview();
  if (!saved_for_close_) cancel = true;
}

void FrmReview::Form_Unload() {
  // The player closes the window without asking: the save happens here.
  if (!saved_for_close_) SaveReview();
}

}  // namespace mirvane
