// The review window: the current screen in an editable form above a comment
// box. A save stores the comment for this reviewer and screen, and the
// changed page when the reviewer edited the screen.
#pragma once

#include <string>
#include <string_view>

#include "platform/window_model.h"
#include "review/screen_page.h"
#include "startup/app.h"

namespace mirvane {

class FrmReview : public Form {
 public:
  explicit FrmReview(App& app);

  // Reads the comment file back into the comment box.
  void LoadComment();
  // Stores the comment, and the edited screen when its markup changed.
  // False when the comment file could not be written (the box keeps it).
  bool SaveReview();

  // Fixed when the window loads, so that every file of this opening names
  // the same screen.
  const std::string& comment_file() const { return comment_file_; }
  const ScreenFiles& screen_files() const { return files_; }

  void Form_Load() override;
  void Form_QueryUnload(bool& cancel) override;
  void Form_Unload() override;
  void Click(std::string_view control) override;
  void DocumentComplete(std::string_view control, const std::string& url) override;

 private:
  std::string FirstViewFile() const;

  App& app_;
  ScreenPosition at_;
  ScreenFiles files_;
  std::string comment_folder_;
  std::string comment_file_;
  std::string loaded_content_;  // the page's markup when it last completed loading
  bool notice_ = false;         // the page only says the screen cannot be shown
  bool saved_for_close_ = false;
};

}  // namespace mirvane
