#pragma once

#include <string>

#include "form_model.h"

namespace tarnwick {

/// The component stream of a form: the signature "TPF0" followed by the root object, in the
/// binary layout the designer stores.
std::string WriteComponentStream(const FormObject& root);

/// A binary form file: the resource header (0xFF, resource type 10, the root's class name in
/// upper case and zero-terminated, memory flags 0x1030, the size of the stream) followed by the
/// component stream.
std::string WriteBinaryFormFile(const FormObject& root);

}  // namespace tarnwick
