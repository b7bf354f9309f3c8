// The window on a screen of another density: run once per scale, with
// QT_SCALE_FACTOR or QT_FONT_DPI set (see CMakeLists.txt).
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <memory>

#include "run_sqpatch.h"
#include "wizard_run.h"

namespace sqp::qt::testing {
namespace {

// The density the environment asks for, over 96 dpi at a factor of 1.
double ExpectedFactor() {
  const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
  const QByteArray font_dpi = qgetenv("QT_FONT_DPI");
  return (scale.isEmpty() ? 1.0 : scale.toDouble()) *
         (font_dpi.isEmpty() ? 1.0 : font_dpi.toDouble() / 96.0);
}

// The box of the pixels of `image` nearer to the text colour than to the
// background's, the colour most of the image shows.
QRect InkBounds(const QImage& image, const QColor& text) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  }
  QRgb background = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > most) std::tie(background, most) = std::pair(it.key(), it.value());
  }
  const auto distance = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
  };
  const int threshold = distance(text.rgb(), background) / 2;
  QRect ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (distance(image.pixel(x, y), background) > threshold) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

// A widget as the screen shows it, in device pixels.
QImage Grab(QWidget* widget) { return widget->grab().toImage(); }

// A widget drawn with one device pixel per layout pixel.
QImage DrawnOneToOne(QWidget* widget) {
  QImage image(widget->size(), QImage::Format_RGB32);
  image.setDevicePixelRatio(1.0);
  widget->render(&image);
  return image;
}

// A label's text drawn by itself, unclipped, as the screen would.
QImage DrawnUnclipped(QLabel* label) {
  const qreal ratio = label->devicePixelRatioF();
  QImage image((QSizeF(label->width() * 2 + 40, label->height() * 3) * ratio).toSize(),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(label->palette().color(label->backgroundRole()));
  QPainter painter(&image);
  painter.setFont(label->font());
  painter.setPen(label->palette().color(QPalette::WindowText));
  painter.drawText(QRect(20, label->height(), label->width() * 2, label->height()),
                   Qt::AlignLeft | Qt::AlignVCenter, label->text());
  return image;
}

}  // namespace

class WindowScaleTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SampleFolders> samples_;

  QColor TextColour(QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

  // Each label's text, as the screen shows it, ends before the control
  // beside it begins.
  void CheckLabelsBesideTheirControls(
      Run& run, std::initializer_list<std::pair<widgets::Control*, widgets::Control*>> rows) {
    for (const auto& [label_control, beside_control] : rows) {
      QWidget* label = run.window.WidgetFor(label_control);
      QWidget* beside = run.window.WidgetFor(beside_control);
      QVERIFY(label->isVisible() && beside->isVisible());
      const QRect ink = InkBounds(Grab(label), TextColour(label));
      QVERIFY2(!ink.isEmpty(), label->objectName().toUtf8());
      const qreal ratio = label->devicePixelRatioF();
      const double ink_end = label->mapTo(&run.window, QPoint()).x() * ratio + ink.right() + 1;
      const double beside_start = beside->mapTo(&run.window, QPoint()).x() * ratio;
      QVERIFY2(ink_end <= beside_start, qPrintable(QStringLiteral("%1 ends at %2, %3 begins at %4")
                                                       .arg(label->objectName())
                                                       .arg(ink_end)
                                                       .arg(beside->objectName())
                                                       .arg(beside_start)));
    }
  }

  // A result label's coloured rectangle holds the whole of its text.
  void CheckResultRectanglesHoldTheirText(Run& run,
                                          std::initializer_list<widgets::Control*> labels) {
    for (widgets::Control* control : labels) {
      auto* label = run.Widget<QLabel>(control);
      const QRect shown = InkBounds(Grab(label), TextColour(label));
      const QRect whole = InkBounds(DrawnUnclipped(label), TextColour(label));
      QVERIFY2(!whole.isEmpty(), label->objectName().toUtf8());
      // A rectangle that cut its text would show less ink than the text has.
      QVERIFY2(shown.size() == whole.size(),
               qPrintable(QStringLiteral("%1 shows %2x%3 of its text's %4x%5")
                              .arg(label->objectName())
                              .arg(shown.width())
                              .arg(shown.height())
                              .arg(whole.width())
                              .arg(whole.height())));
    }
  }

 private slots:
  void initTestCase() { SetUpApplication(); }
  void init() { samples_ = std::make_unique<SampleFolders>(); }
  void cleanup() { samples_.reset(); }

  void textIsDrawnAtTheScreensDensity() {
    Run run({samples_->patch, samples_->tree->Path("client"), samples_->tree->Path("cd")});
    const double factor = ExpectedFactor();
    QCOMPARE(run.window.devicePixelRatioF(), factor);
    // The top-left label's text, as the screen shows it and one to one.
    QWidget* label = run.window.WidgetFor(run.Form().UOClientPathLabel);
    const QRect scaled = InkBounds(Grab(label), TextColour(label));
    const QRect one_to_one = InkBounds(DrawnOneToOne(label), TextColour(label));
    QVERIFY(!one_to_one.isEmpty());
    const double higher = static_cast<double>(scaled.height()) / one_to_one.height();
    const double wider = static_cast<double>(scaled.width()) / one_to_one.width();
    qInfo("factor %.2f: ink %dx%d, one to one %dx%d", factor, scaled.width(), scaled.height(),
          one_to_one.width(), one_to_one.height());
    QVERIFY2(std::abs(higher / factor - 1) <= 0.15,
             qPrintable(QStringLiteral("ink %1 times as high").arg(higher)));
    QVERIFY2(std::abs(wider / factor - 1) <= 0.15,
             qPrintable(QStringLiteral("ink %1 times as wide").arg(wider)));
  }

  void noLabelRunsIntoTheControlBesideIt() {
    Run run({samples_->patch, samples_->tree->Path("client"), samples_->tree->Path("cd")});
    TSQPMainForm& form = run.Form();
    CheckLabelsBesideTheirControls(
        run, {{form.UOClientPathLabel, form.UOClientPathEdit},
              {form.UOClientStaIdxNameLabel, form.UOClientStaIdxResultLabel},
              {form.UOClientStaticsNameLabel, form.UOClientStaticsResultLabel},
              {form.UOClientMapNameLabel, form.UOClientMapResultLabel},
              {form.ActionLabel, form.NextButton}});
    if (QTest::currentTestFailed()) return;
    CheckResultRectanglesHoldTheirText(
        run, {form.UOClientStaIdxResultLabel, form.UOClientStaticsResultLabel,
              form.UOClientMapResultLabel});
    if (QTest::currentTestFailed()) return;
    QTest::mouseClick(run.Next(), Qt::LeftButton);
    QCOMPARE(run.Action(), QStringLiteral("Check for correct CD"));
    CheckLabelsBesideTheirControls(run, {{form.UOCDPathLabel, form.UOCDPathEdit},
                                         {form.UOCDStaIdxNameLabel, form.UOCDStaIdxResultLabel},
                                         {form.UOCDStaticsNameLabel, form.UOCDStaticsResultLabel},
                                         {form.UOCDMapNameLabel, form.UOCDMapResultLabel},
                                         {form.UOCDTypeNameLabel, form.UOCDTypeResultLabel},
                                         {form.ActionLabel, form.NextButton}});
    if (QTest::currentTestFailed()) return;
    CheckResultRectanglesHoldTheirText(
        run, {form.UOCDStaIdxResultLabel, form.UOCDStaticsResultLabel, form.UOCDMapResultLabel,
              form.UOCDTypeResultLabel});
  }
};

}  // namespace sqp::qt::testing

QTEST_MAIN(sqp::qt::testing::WindowScaleTest)
#include "window_scale_test.moc"
