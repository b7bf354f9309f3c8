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

// Wine's TrueType "MS Sans Serif" (Debian's fonts-wine) has the metrics the
// window was laid out with; fontconfig does not list Wine's font folder.
void LoadLayoutFont(const QString& family) {
  if (QFontDatabase::families().contains(family)) return;
  static const bool loaded = QFontDatabase::addApplicationFont(
                                 QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf")) >= 0;
  (void)loaded;
}

}  // namespace

QFont WindowFont() {
  const WindowLayout& window = SQPMainWindowLayout();
  // The character height in pixels, scaled from 96 dpi to the screen's.
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
    if (QFontInfo(font).family() == family) return font;
  }
  QFont fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  fallback.setPixelSize(pixels);
  return fallback;
}

LayoutMetrics::LayoutMetrics() : LayoutMetrics(WindowFont()) {}

LayoutMetrics::LayoutMetrics(const QFont& font)
    : font_(font),
      scale_(static_cast<double>(QFontMetrics(font).height()) /
             SQPMainWindowLayout().design_text_height) {}

int LayoutMetrics::Scaled(int layout_pixels) const {
  return static_cast<int>(std::lround(layout_pixels * scale_));
}

QRect LayoutMetrics::Scaled(const widgets::Bounds& bounds) const {
  return {Scaled(bounds.left), Scaled(bounds.top), Scaled(bounds.width), Scaled(bounds.height)};
}

}  // namespace sqp::qt
