// The certificate window: shows the course's certificate page and hands the
// learner's id and score to the movie on it.
#pragma once

#include <string>
#include <string_view>

#include "platform/window_model.h"
#include "startup/app.h"

namespace mirvane {

inline constexpr const char* kCertificatePage = "certificateqx.htm";

class FrmCertificate : public Form {
 public:
  explicit FrmCertificate(App& app);

  // "certificate.swf?student_name=<id>&score=<score>", each value
  // percent-encoded so that any id reaches the movie whole.
  std::string MovieAddress() const;

  void Form_Load() override;
  void Click(std::string_view control) override;
  void DocumentComplete(std::string_view control, const std::string& url) override;

 private:
  App& app_;
};

// A text as a URL query value: letters, digits and "-._~" stay, every other
// byte of its UTF-8 form becomes %XX.
std::string PercentEncode(std::string_view text);

}  // namespace mirvane
