#include "desktop/course_scheme.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "platform/text.h"

namespace mirvane {

namespace {

// Separators both ways and no case, as the program's path texts compare.
std::string Comparable(std::string_view path) { return LCase(Replace(path, "\\", "/")); }

QByteArray MimeTypeOf(const std::string& path) {
  std::string lower = LCase(path);
  auto ends = [&](const char* suffix) { return EndsWith(lower, suffix); };
  if (ends(".htm") || ends(".html")) return "text/html";
  if (ends(".css")) return "text/css";
  if (ends(".js")) return "text/javascript";
  if (ends(".xml") || ends(".xsl")) return "text/xml";
  if (ends(".png")) return "image/png";
  if (ends(".jpg") || ends(".jpeg")) return "image/jpeg";
  if (ends(".gif")) return "image/gif";
  if (ends(".svg")) return "image/svg+xml";
  if (ends(".mp3")) return "audio/mpeg";
  if (ends(".wav")) return "audio/wav";
  if (ends(".mp4")) return "video/mp4";
  if (ends(".swf")) return "application/x-shockwave-flash";
  return "application/octet-stream";
}

}  // namespace

void RegisterCourseScheme() {
  QWebEngineUrlScheme scheme(kCourseScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                  QWebEngineUrlScheme::LocalAccessAllowed);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl CourseUrlFor(const App& app, const std::string& address) {
  std::string lower = LCase(address);
  std::size_t colon = lower.find(':');
  // "javascript:", "http://", "mirvane://": an address, not a path text. A
  // drive letter ("C:") is one character before its colon.
  if (colon != std::string::npos && colon > 1) return QUrl(QString::fromStdString(address));
  const std::string path = Comparable(address);
  for (const auto& [folder, host] : {std::pair{app.ContentFolder, "content"}, std::pair{app.DataFolder, "data"}}) {
    std::string base = Comparable(folder);
    if (!base.empty() && base.back() != '/') base += '/';
    if (base.empty() || !path.starts_with(base)) continue;
    std::string rest = Replace(address.substr(base.size()), "\\", "/");
    QUrl url;
    url.setScheme(kCourseScheme);
    url.setHost(host);
    url.setPath("/" + QString::fromStdString(rest));
    return url;
  }
  return {};
}

std::string CoursePathFor(const App& app, const QUrl& url) {
  std::string folder;
  if (url.host() == "content") {
    folder = app.ContentFolder;
  } else if (url.host() == "data") {
    folder = app.DataFolder;
  } else {
    return {};
  }
  std::string rest = url.path(QUrl::FullyDecoded).toStdString();
  while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
  // Nothing above the served folders is ever reached, nor another drive.
  std::string padded = "/" + Replace(rest, "\\", "/") + "/";
  if (padded.find("/../") != std::string::npos || rest.find(':') != std::string::npos) return {};
  return folder + Replace(rest, "/", "\\");
}

QByteArray WithTrustedTypesPolicy(const QByteArray& html) {
  static const QByteArray kPolicy =
      "<meta http-equiv=\"Content-Security-Policy\" content=\"require-trusted-types-for 'script'\">";
  QByteArray lower = html.left(4096).toLower();
  int head = lower.indexOf("<head");
  if (head >= 0) {
    int end = lower.indexOf('>', head);
    if (end >= 0) {
      QByteArray out = html;
      out.insert(end + 1, kPolicy);
      return out;
    }
  }
  // No head: the element goes first, and the parser puts it in the head.
  return kPolicy + html;
}

void CourseSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  std::string path = CoursePathFor(app_, job->requestUrl());
  if (path.empty()) {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  FileRead read = app_.platform.files.ReadFile(path);
  if (read.status != FileStatus::Ok) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  QByteArray bytes = QByteArray::fromStdString(read.bytes);
  QByteArray mime = MimeTypeOf(path);
  if (mime == "text/html") bytes = WithTrustedTypesPolicy(bytes);
  auto* buffer = new QBuffer(job);
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  job->reply(mime, buffer);
}

}  // namespace mirvane
