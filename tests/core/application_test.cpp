#include "app/application.h"

#include <gtest/gtest.h>

#include "probes/in_out_error.h"
#include "support/recording_view.h"

namespace sqp {
namespace {

using testing::RecordingView;
using testing::ReporterBox;
using testing::ShownBox;

TEST(ErrorReportText, AppendsAPeriodAfterCodesAbove46) {
  EXPECT_EQ(ErrorReportText("Dateizugriff verweigert"), "Dateizugriff verweigert.");
  EXPECT_EQ(ErrorReportText("E/A-Fehler 32"), "E/A-Fehler 32.");
  EXPECT_EQ(ErrorReportText("Why?"), "Why?.");
  EXPECT_EQ(ErrorReportText("E/A/"), "E/A/.");
  EXPECT_EQ(ErrorReportText("geöffnete Dateien"), "geöffnete Dateien.");
  for (std::string unchanged : {"Done.", "Stop!", "a,", "a-", "(a)", "a ", ""}) {
    EXPECT_EQ(ErrorReportText(unchanged), unchanged);
  }
  // The last byte of a UTF-8 character is above 46 as well.
  EXPECT_EQ(ErrorReportText("Datei \xC3\xB6"), "Datei \xC3\xB6.");
}

TEST(Application, DispatchReportsAnEscapingFailureAndGoesOn) {
  RecordingView view;
  Application app(view);
  app.SetTitle("Stonequill Patch");
  bool ran_after = false;
  app.Dispatch([&] {
    throw EInOutError(5);
    ran_after = true;  // never reached
  });
  app.Dispatch([&] { ran_after = true; });
  EXPECT_TRUE(ran_after);
  EXPECT_EQ(view.boxes, std::vector<ShownBox>{ReporterBox("Dateizugriff verweigert.")});
  EXPECT_EQ(view.capture_releases, 1);
  EXPECT_EQ(view.quit_requests, 0);
  EXPECT_EQ(app.ExitCode(), 0);
}

TEST(Application, BoxesCloseAtOnceWhileAQuitRequestIsPending) {
  RecordingView view;
  Application app(view);
  app.MessageBox("first", "Error", MessageBoxIcon::kNone);
  app.PostQuitRequest();
  EXPECT_TRUE(app.QuitPending());
  app.MessageBox("second", "Error", MessageBoxIcon::kNone);
  app.Dispatch([] { throw EInOutError(2); });
  ASSERT_EQ(view.boxes.size(), 3u);
  EXPECT_TRUE(view.boxes[0].waited);
  EXPECT_FALSE(view.boxes[1].waited);
  EXPECT_FALSE(view.boxes[2].waited);
  EXPECT_TRUE(app.QuitPending());  // the request stays pending
  EXPECT_EQ(view.quit_requests, 1);
}

TEST(Application, ShowsTheMainFormOnceAndReportsAFailingShowHandler) {
  RecordingView view;
  Application app(view);
  widgets::Form form("Form", {0, 0, 1, 1});
  int shows = 0;
  form.on_show = [&](widgets::Control* sender) {
    EXPECT_EQ(sender, &form);
    ++shows;
    throw EInOutError(32);
  };
  app.SetMainForm(&form);
  app.ShowMainForm();
  app.ShowMainForm();
  EXPECT_EQ(shows, 1);
  EXPECT_TRUE(app.MainFormShown());
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].box.text, "E/A-Fehler 32.");
}

TEST(Application, ClosingTheMainFormAsksNoQuestion) {
  RecordingView view;
  Application app(view);
  app.CloseMainForm();
  EXPECT_EQ(view.quit_requests, 1);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(app.ExitCode(), 0);
}

TEST(Application, ArgumentsCountFromOne) {
  RecordingView view;
  Application app(view);
  app.SetArguments({"a.sq2", "/uo"});
  EXPECT_EQ(app.ParamCount(), 2);
  EXPECT_EQ(app.ParamStr(1), "a.sq2");
  EXPECT_EQ(app.ParamStr(2), "/uo");
  EXPECT_EQ(app.ParamStr(3), "");
  EXPECT_EQ(app.ParamStr(0), "");
}

}  // namespace
}  // namespace sqp
