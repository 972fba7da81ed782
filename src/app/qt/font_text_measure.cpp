#include "app/qt/font_text_measure.h"

#include <QFont>
#include <QFontMetrics>

#include "app/qt/message_box_prompter.h"

namespace tarnwick {

int FontTextMeasure::TextWidth(std::string_view text, std::string_view fontFace, int pointSize) {
  QFont font(ToQString(fontFace));
  font.setPointSize(pointSize > 0 ? pointSize : 8);
  return QFontMetrics(font).horizontalAdvance(ToQString(text));
}

}  // namespace tarnwick
