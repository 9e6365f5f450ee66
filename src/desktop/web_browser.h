// The embedded browser over Qt WebEngine.
//
// Every navigation of the top page and of every frame reaches the owning
// window's BeforeNavigate2 before it happens:
// - addresses with a scheme (course pages, http, ...) through
//   acceptNavigationRequest;
// - "javascript:" addresses, which the engine never reports there, through
//   the pages' Trusted Types policy: each served page requires Trusted Types,
//   and the default policy that the bridge script installs in every frame is
//   asked before any script address runs; with no page script on the call
//   stack it is such an address, and the policy asks the player through a
//   synchronous prompt. Its answer runs the code or drops it.
// Each frame's load reaches DocumentComplete with the frame's address. The
// document operations run in the page's main world.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/browser.h"

class QWebEngineProfile;

namespace mirvane {

class WebBrowser;

class CoursePage : public QWebEnginePage {
 public:
  CoursePage(QWebEngineProfile* profile, QObject* parent, WebBrowser& owner, bool popup);
  // The browser is gone while the engine may still report on this page.
  void Orphan() { owner_ = nullptr; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& default_value,
                        QString* result) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  WebBrowser* owner_;
  bool popup_;
};

// What the browser needs from the window layer.
struct BrowserHost {
  // BeforeNavigate2 of the owning window; true to let the navigation go on.
  std::function<bool(const std::string& url)> before_navigate;
  std::function<void(const std::string& url)> document_complete;
  // The engine's address for an address or path text the program navigates
  // to; empty when the path lies outside the served folders.
  std::function<QUrl(const std::string& address)> url_for;
};

class WebBrowser : public Browser {
 public:
  WebBrowser(QWebEngineProfile* profile, QWidget* parent, BrowserHost host);
  ~WebBrowser() override;

  QWebEngineView* view() { return view_; }
  // The window is gone: no more events go to it.
  void Detach() { host_ = {}; }

  void Navigate(const std::string& address) override;
  void SetFrameBodyHtml(int frame, const std::string& html) override;
  void SetFrameLocation(int frame, const std::string& address) override;
  void SetTitle(const std::string& title) override;
  std::string BodyHtml() override;
  void SetItemProperty(const std::string& item, const std::string& property,
                       const std::string& value) override;
  void Print() override;

  // From the pages.
  bool OnNavigation(const QUrl& url);
  bool OnScriptAddress(const std::string& address);
  void OnComplete(const std::string& url);
  void OnBody(const std::string& html) { body_ = html; }
  // A popup's first navigation goes to this browser's window; the popup goes.
  bool OnPopupNavigation(CoursePage* popup, const QUrl& url);
  void AddPopup(CoursePage* popup) { popups_.emplace_back(popup); }

 private:
  void Run(const QString& script);

  BrowserHost host_;
  QPointer<QWebEngineView> view_;
  QPointer<CoursePage> page_;
  std::vector<QPointer<CoursePage>> popups_;
  std::string body_;  // the top document's body as it stands, kept current by the page
  // Addresses the program navigated to, by the engine's form: reported as the
  // program wrote them.
  std::map<QString, std::string> own_navigations_;
};

// The script put into every frame of every page at its creation.
const char* BridgeScript();

}  // namespace mirvane
