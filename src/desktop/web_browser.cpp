#include "desktop/web_browser.h"

#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineProfile>

namespace mirvane {

namespace {

constexpr char kMark[] = "\x01mirvane:";

QString JsString(const std::string& text) {
  QString s = QString::fromStdString(text);
  QString out = "\"";
  for (QChar c : s) {
    switch (c.unicode()) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case 0x2028: out += "\\u2028"; break;
      case 0x2029: out += "\\u2029"; break;
      case '<': out += "\\x3c"; break;
      default:
        if (c.unicode() < 0x20) {
          out += QString("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace

const char* BridgeScript() {
  return R"JS(
(function () {
  'use strict';
  if (window.__mirvaneBridge) return;
  Object.defineProperty(window, '__mirvaneBridge', {value: true});
  var MARK = '\u0001mirvane:';
  // Kept before any page script can replace them.
  var ask = window.prompt.bind(window);
  var tell = console.debug.bind(console);
  function depth(error) {
    return String(error.stack || '').split('\n').filter(function (l) {
      return /^\s+at /.test(l);
    }).length;
  }
  if (window.trustedTypes && window.trustedTypes.createPolicy) {
    try {
      window.trustedTypes.createPolicy('default', {
        createHTML: function (s) { return s; },
        createScriptURL: function (s) { return s; },
        createScript: function (s) {
          // A script address runs with nothing but this function on the stack;
          // eval, Function and timers are called from page code.
          if (depth(new Error()) > 1) return s;
          return ask(MARK + 'navigate', 'javascript:' + s) === 'go' ? s : null;
        }
      });
    } catch (e) {}
  }
  // A window opened on a script address would run it in a blank window that
  // asks nobody: the player is asked here, and the code runs in this page.
  var open = window.open;
  window.open = function (url) {
    var text = String(url === undefined ? '' : url);
    var m = /^\s*javascript:([\s\S]*)$/i.exec(text);
    if (!m) return open.apply(window, arguments);
    var code = m[1];
    try { code = decodeURIComponent(code); } catch (e) {}
    if (ask(MARK + 'navigate', 'javascript:' + code) === 'go') (0, eval)(code);
    return null;
  };
  window.addEventListener('load', function () {
    // The top page's body as it stands goes first, so that the player reads
    // it when it hears of the completed load; later changes follow.
    if (window === window.top && document.body) {
      var pending = false;
      var report = function () {
        pending = false;
        tell(MARK + 'body ' + document.body.innerHTML);
      };
      report();
      new MutationObserver(function () {
        if (!pending) { pending = true; setTimeout(report, 30); }
      }).observe(document.body, {subtree: true, childList: true, characterData: true, attributes: true});
    }
    tell(MARK + 'complete ' + location.href);
  });
})();
)JS";
}

CoursePage::CoursePage(QWebEngineProfile* profile, QObject* parent, WebBrowser& owner, bool popup)
    : QWebEnginePage(profile, parent), owner_(&owner), popup_(popup) {}

bool CoursePage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
  if (owner_ == nullptr) return false;  // a window that is gone opens nothing
  if (popup_) return owner_->OnPopupNavigation(this, url);
  return owner_->OnNavigation(url);
}

bool CoursePage::javaScriptPrompt(const QUrl& origin, const QString& message,
                                  const QString& default_value, QString* result) {
  if (message == QString(kMark) + "navigate") {
    bool go = owner_ != nullptr && owner_->OnScriptAddress(default_value.toStdString());
    *result = go ? "go" : "cancel";
    return true;
  }
  return QWebEnginePage::javaScriptPrompt(origin, message, default_value, result);
}

void CoursePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                          int, const QString&) {
  const QString mark(kMark);
  if (owner_ == nullptr || !message.startsWith(mark)) return;
  QString rest = message.mid(mark.size());
  if (rest.startsWith("complete ")) {
    owner_->OnComplete(rest.mid(9).toStdString());
  } else if (rest.startsWith("body ") && !popup_) {
    owner_->OnBody(rest.mid(5).toStdString());
  }
}

QWebEnginePage* CoursePage::createWindow(WebWindowType) {
  // A window a page opens only carries its address (or its script address,
  // through the bridge) to the player's window; it is never shown.
  if (owner_ == nullptr) return nullptr;
  auto* popup = new CoursePage(profile(), this, *owner_, true);
  owner_->AddPopup(popup);
  QTimer::singleShot(5000, popup, [popup]() { popup->deleteLater(); });
  return popup;
}

WebBrowser::WebBrowser(QWebEngineProfile* profile, QWidget* parent, BrowserHost host)
    : host_(std::move(host)) {
  view_ = new QWebEngineView(parent);
  page_ = new CoursePage(profile, view_, *this, false);
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  QObject::connect(page_, &QWebEnginePage::printRequested, view_, [view = view_]() {
    QPrinter printer;
    QPrintDialog dialog(&printer, view);
    if (dialog.exec() == QDialog::Accepted) view->print(&printer);
  });
}

WebBrowser::~WebBrowser() {
  // The view goes with its window, perhaps later than this: its pages must
  // not call back into a browser that is gone.
  if (page_) page_->Orphan();
  for (const auto& popup : popups_) {
    if (popup) popup->Orphan();
  }
}

void WebBrowser::Run(const QString& script) {
  if (page_ != nullptr && view_) page_->runJavaScript(script);
}

void WebBrowser::Navigate(const std::string& address) {
  if (!view_ || !host_.url_for) return;
  QUrl url = host_.url_for(address);
  if (url.isEmpty()) {
    view_->setHtml("<p style=\"font-family:sans-serif\">This address is not part of the course: " +
                   QString::fromStdString(address).toHtmlEscaped() + "</p>");
    return;
  }
  own_navigations_[url.toString()] = address;
  // Starts loading once the caller's event is done, as a browser does.
  QTimer::singleShot(0, view_, [view = view_, url]() {
    if (view) view->load(url);
  });
}

void WebBrowser::SetFrameBodyHtml(int frame, const std::string& html) {
  Run(QString("(function(){var f=window.frames[%1];if(f&&f.document&&f.document.body)"
              "f.document.body.innerHTML=%2;})();")
          .arg(frame)
          .arg(JsString(html)));
}

void WebBrowser::SetFrameLocation(int frame, const std::string& address) {
  Run(QString("(function(){var f=window.frames[%1];if(f)f.location.href=%2;})();")
          .arg(frame)
          .arg(JsString(address)));
}

void WebBrowser::SetTitle(const std::string& title) {
  Run(QString("document.title=%1;").arg(JsString(title)));
}

std::string WebBrowser::BodyHtml() { return body_; }

void WebBrowser::SetItemProperty(const std::string& item, const std::string& property,
                                 const std::string& value) {
  Run(QString("(function(){var n=%1;var e=document.getElementsByName(n)[0]||"
              "document.getElementById(n);if(e)try{e[%2]=%3;}catch(x){}})();")
          .arg(JsString(item), JsString(property), JsString(value)));
}

void WebBrowser::Print() { Run("window.print();"); }

namespace {

// MIRVANE_TRACE_BROWSER=1 prints every address the pages open, for course authors.
void Trace(const char* what, const std::string& address) {
  static const bool on = qEnvironmentVariableIsSet("MIRVANE_TRACE_BROWSER");
  if (on) qInfo("%s %s", what, address.c_str());
}

}  // namespace

bool WebBrowser::OnNavigation(const QUrl& url) {
  if (url.scheme() == "about" || url.scheme() == "data") return true;
  std::string address = url.toString().toStdString();
  auto own = own_navigations_.find(url.toString());
  if (own != own_navigations_.end()) {
    address = own->second;
    own_navigations_.erase(own);
  }
  Trace("navigate", address);
  return host_.before_navigate ? host_.before_navigate(address) : true;
}

bool WebBrowser::OnScriptAddress(const std::string& address) {
  Trace("script", address);
  return host_.before_navigate ? host_.before_navigate(address) : true;
}

void WebBrowser::OnComplete(const std::string& url) {
  Trace("complete", url);
  if (url == "about:blank") return;
  if (host_.document_complete) host_.document_complete(url);
}

bool WebBrowser::OnPopupNavigation(CoursePage*, const QUrl& url) {
  if (url.scheme() == "about" || url.isEmpty()) return true;
  if (OnNavigation(url) && view_) {
    QTimer::singleShot(0, view_, [view = view_, url]() {
      if (view) view->load(url);
    });
  }
  return false;
}

}  // namespace mirvane
