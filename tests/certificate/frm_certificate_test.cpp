#include "certificate/frm_certificate.h"

#include <gtest/gtest.h>

#include "support/player_fixture.h"

namespace mirvane {
namespace {

class CertificateTest : public test::PlayerFixture {
 protected:
  FrmCertificate& Open(const char* score) {
    player();  // the certificate opens over the player
    FrmCertificate& c = app.forms.Get<FrmCertificate>("frmCertificate");
    c.control("txtScore").text = score;
    app.forms.Show("frmCertificate", ShowMode::Modal, "frmMain");
    return c;
  }
  HeadlessBrowser& Browser(FrmCertificate& c) {
    return *HeadlessPlatform::BrowserOf(c, "wbCertificate");
  }
};

TEST_F(CertificateTest, LoadsThePageAndLabelsThePrintButton) {
  app.Language = "es";
  app.ContentFolder = "C:\\Course\\content\\";
  FrmCertificate& c = Open("90");
  EXPECT_EQ(c.control("cmdPrint").text, "Imprimir");
  EXPECT_FALSE(c.control("cmdPrint").visible);
  EXPECT_FALSE(c.control("txtScore").visible);
  EXPECT_EQ(Browser(c).navigations, std::vector<std::string>{"C:\\Course\\content\\certificateqx.htm"});
  c.Click("cmdPrint");
  EXPECT_EQ(Browser(c).prints, 1);
}

TEST_F(CertificateTest, EveryCompletedLoadHandsOverTheIdAndTheScore) {
  struct Case {
    const char* user;
    const char* movie;
  } cases[] = {
      {"ana", "certificate.swf?student_name=ana&score=85"},
      {"anonymous_iusr_localmachine_x86",
       "certificate.swf?student_name=anonymous_iusr_localmachine_x86&score=85"},
      {"a&b=c?d #e%", "certificate.swf?student_name=a%26b%3Dc%3Fd%20%23e%25&score=85"},
      {"josé", "certificate.swf?student_name=jos%C3%A9&score=85"},
  };
  for (const Case& c : cases) {
    app.CurrentUser = c.user;
    FrmCertificate& window = Open("85");
    window.DocumentComplete("wbCertificate", "file:///c:/course/frame1.htm");
    window.DocumentComplete("wbCertificate", "file:///c:/course/certificateqx.htm");
    std::string expected = std::string("flashcertificate.movie = ") + c.movie;
    EXPECT_EQ(Browser(window).operations,
              (std::vector<std::string>{"Navigate " + app.ContentFolder + "certificateqx.htm",
                                        expected, expected}));
    app.forms.Unload("frmCertificate");
  }
}

TEST_F(CertificateTest, APageWithoutTheMovieIsLeftAloneAndNavigationsPass) {
  FrmCertificate& c = Open("70");
  Browser(c).items.clear();
  bool cancel = false;
  c.BeforeNavigate2("wbCertificate", "http://example.invalid/other.htm", cancel);
  EXPECT_FALSE(cancel);
  EXPECT_NO_THROW(c.DocumentComplete("wbCertificate", "http://example.invalid/other.htm"));
  EXPECT_EQ(Browser(c).operations.back(), "flashcertificate.movie ignored: no such item");
  EXPECT_TRUE(t.host.windows.IsOpen("frmCertificate"));
}

TEST_F(CertificateTest, EachOpeningIsANewWindowWithTheNewScore) {
  Open("75");
  app.forms.RequestClose("frmCertificate");
  app.forms.ReleaseUnloaded();
  FrmCertificate& second = Open("88");
  EXPECT_EQ(second.control("txtScore").text, "88");
  EXPECT_EQ(Browser(second).navigations.size(), 1u);
}

}  // namespace
}  // namespace mirvane
