#pragma once

#include <string>

#include "form_model.h"

namespace tarnwick {

/// Writes a form as form text, the way a text form file holds it: two blanks of indentation per
/// level, CR LF line ends, strings in single quotes with control characters, quotes and
/// characters above 255 as "#" codes, strings of more than 64 characters split over lines with
/// " +", binary data in lines of 32 bytes, floats in their shortest exact decimal form with the
/// suffix of their kind.
///
/// With `inlineKeyword` an inline frame starts with "inline", as the designer writes it;
/// without it with "object", which is the text a binary form converts to.
std::string WriteFormText(const FormObject& root, bool inlineKeyword = true);

}  // namespace tarnwick
