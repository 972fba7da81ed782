#include "app/qt/font_text_measure.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include "app/qt/message_box_prompter.h"

namespace tarnwick {

int FontTextMeasure::TextWidth(std::string_view text, std::string_view, int) {
  const QFontMetrics metrics = widget_ ? widget_->fontMetrics() : QFontMetrics(QApplication::font());
  return metrics.horizontalAdvance(ToQString(text));
}

}  // namespace tarnwick
