#include "layout_metrics.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "sqpmain/sqp_main_layout.h"

namespace sqp::qt {

namespace {

// Wine's "MS Sans Serif" (Debian's fonts-wine) has the metrics the window
// was laid out with; fontconfig does not list Wine's font folder.
void LoadLayoutFont(const QString& family) {
  if (QFontDatabase::families().contains(family)) return;
  static const bool loaded = QFontDatabase::addApplicationFont(
                                 QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf")) >= 0;
  (void)loaded;
}

// Whether the screens draw `font` crisp at its size. A face with outlines
// is rasterised at any size. A face of bitmaps only (Wine's "MS Sans Serif"
// holds strikes of 13, 16 and 20 pixels, and Qt offers the first alone) is
// drawn from its strike whatever size is asked, and never scaled to the
// device pixels: on a high-density screen its glyphs would stay small while
// the text's spacing grows. It serves only where a layout pixel is a device
// pixel and its strike has the text height that the size asks for.
bool DrawnAtItsSize(const QFont& font) {
  const QFontInfo info(font);
  if (QFontDatabase::isSmoothlyScalable(info.family(), info.styleName())) return true;
  const WindowLayout& window = SQPMainWindowLayout();
  const long wanted_height = std::lround(static_cast<double>(font.pixelSize()) *
                                         window.design_text_height / window.font_pixels);
  return qGuiApp->devicePixelRatio() == 1.0 && QFontMetrics(font).height() == wanted_height;
}

}  // namespace

QFont WindowFont() {
  const WindowLayout& window = SQPMainWindowLayout();
  // The character height in pixels, scaled from 96 dpi to the screen's.
  // A device pixel ratio above 1 leaves this alone: Qt rasterises at the
  // device's pixels by itself.
  const double dpi = QGuiApplication::primaryScreen() != nullptr
                         ? QGuiApplication::primaryScreen()->logicalDotsPerInchY()
                         : 96.0;
  const int pixels = static_cast<int>(std::lround(window.font_pixels * dpi / 96.0));
  const QString layout_family =
      QString::fromUtf8(window.font_name.data(), static_cast<qsizetype>(window.font_name.size()));
  LoadLayoutFont(layout_family);
  // Failing that, Liberation Sans has Arial's metrics, the nearest to the
  // layout's; most other sans serifs are too wide for the laid-out places.
  for (const QString& family : {layout_family, QStringLiteral("Liberation Sans")}) {
    QFont font(family);
    font.setPixelSize(pixels);
    if (QFontInfo(font).family() == family && DrawnAtItsSize(font)) return font;
  }
  QFont fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  fallback.setPixelSize(pixels);
  return fallback;
}

LayoutMetrics::LayoutMetrics() : LayoutMetrics(WindowFont()) {}

LayoutMetrics::LayoutMetrics(const QFont& font) : font_(font) {
  const QFontMetrics metrics(font_);
  scale_ = SQPMainLayoutScale(metrics.height(), [&](std::string_view text) {
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  });
}

QRect LayoutMetrics::Scaled(const widgets::Bounds& bounds) const {
  const widgets::Bounds scaled = scale_.Scaled(bounds);
  return {scaled.left, scaled.top, scaled.width, scaled.height};
}

}  // namespace sqp::qt
