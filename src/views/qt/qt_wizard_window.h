#pragma once

#include <QWidget>
#include <unordered_map>

#include "announcement.h"
#include "app/application.h"
#include "folder_picker.h"
#include "layout_metrics.h"
#include "sqpmain/sqp_main_form.h"

class QDropEvent;

namespace sqp::qt {

// The wizard window drawn with Qt Widgets. It holds no state of its own:
// every native widget mirrors a control of the core's form, and every input
// goes to the core through the application's dispatch point. Keys that the
// core's focus rules take never reach Qt's own focus chain.
class QtWizardWindow : public QWidget, private widgets::ControlObserver {
 public:
  QtWizardWindow(Application& application, TSQPMainForm& form,
                 const LayoutMetrics& metrics = LayoutMetrics(),
                 FolderChooser choose_folder = ChooseFolderInDialog);
  ~QtWizardWindow() override;

  QWidget* WidgetFor(const widgets::Control* control) const;
  const LayoutMetrics& Metrics() const { return metrics_; }

  // Searches this machine for installed clients and CD copies, once the
  // window shows, and offers them in the folder fields while it lives.
  void StartFolderSearch();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ControlChanged(widgets::Control& control, widgets::Change change) override;
  QWidget* CreateWidget(widgets::Control& control, QWidget* parent);
  void ConnectInput(widgets::Control& control, QWidget* widget);
  void SyncText(widgets::Control& control);
  void SyncLabelColor(widgets::Control& control);
  void SyncSelection(widgets::Control& control);
  void SyncFocus();
  bool RouteKey(QKeyEvent* event);
  void TakeFolderDrop(FolderField& field, QDropEvent* event);
  void TakeUserFocus(QWidget* widget);

  Application& application_;
  TSQPMainForm& form_;
  LayoutMetrics metrics_;
  FolderChooser choose_folder_;
  std::unordered_map<const widgets::Control*, QWidget*> widgets_;
  std::unordered_map<const QWidget*, widgets::Control*> controls_;
  // The edit whose native change is being handed to the core: its own
  // echo must not move the caret the user is typing at.
  const widgets::Control* editing_ = nullptr;
  bool syncing_focus_ = false;
  Announcement* announcement_ = nullptr;
  bool searching_ = false;
};

}  // namespace sqp::qt
