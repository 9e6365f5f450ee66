// An embedded browser with the document operations the program relies on.
//
// The program answers course pages only through these operations. Frames are
// counted from 0 in document order. An operation on a frame or item that the
// current document lacks is ignored quietly. Events (BeforeNavigate2,
// DocumentComplete) reach the owning window's handlers (window_model.h).
#pragma once

#include <string>

namespace mirvane {

class Browser {
 public:
  virtual ~Browser() = default;

  // Starts loading a local file path or an address; returns at once.
  virtual void Navigate(const std::string& address) = 0;

  // frames(index).Document.body.innerHTML := html
  virtual void SetFrameBodyHtml(int frame, const std::string& html) = 0;
  // frames(index).location.href := address
  virtual void SetFrameLocation(int frame, const std::string& address) = 0;
  // Document.title := title
  virtual void SetTitle(const std::string& title) = 0;
  // Document.body.innerHTML, the markup of the shown page as it stands now.
  virtual std::string BodyHtml() = 0;
  // The named item of the document (by name or id): its property := value.
  virtual void SetItemProperty(const std::string& item, const std::string& property,
                               const std::string& value) = 0;
  // Prints the shown page the browser's usual way.
  virtual void Print() = 0;
};

}  // namespace mirvane
