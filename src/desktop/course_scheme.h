// The course's files as the browser engine sees them: the scheme
// "mirvane://content/..." serves the content folder and "mirvane://data/..."
// the learner data folder, through the platform's file system (so names are
// found without regard to case, as on the system courses are made on). No
// other path is served. Every HTML page gets the content security policy that
// lets the player see the script addresses a page opens (web_browser.h).
#pragma once

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>
#include <string>

#include "startup/app.h"

namespace mirvane {

inline constexpr const char* kCourseScheme = "mirvane";

// Registers the scheme; must run before the application object exists.
void RegisterCourseScheme();

// The address of a path text inside the content or data folder, or an empty
// URL for any other path. Addresses that already name a scheme stay as they are.
QUrl CourseUrlFor(const App& app, const std::string& address);

// The path text that a course address names, or empty when it names none
// (a ".." or a host other than content and data).
std::string CoursePathFor(const App& app, const QUrl& url);

// Puts the policy element at the start of the page's head.
QByteArray WithTrustedTypesPolicy(const QByteArray& html);

class CourseSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  CourseSchemeHandler(App& app, QObject* parent) : QWebEngineUrlSchemeHandler(parent), app_(app) {}
  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  App& app_;
};

}  // namespace mirvane
