#include "app/qt/font_text_measure.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include "platform/qt/project_text.h"

namespace tarnwick {

int FontTextMeasure::TextWidth(std::string_view text, std::string_view, int) {
  const QFontMetrics metrics = widget_ ? widget_->fontMetrics() : QFontMetrics(QApplication::font());
  return metrics.horizontalAdvance(Utf8ToQString(text));
}

}  // namespace tarnwick
