#pragma once

#include <string>
#include <string_view>

// Texts the window puts into message boxes, composed without any toolkit (UTF-8 in and out).
namespace fragtide::ui {

// `text` with its first character in capitals: the core words its failures for any reader
// ("cannot read 'a.log': ..."), a message box begins a sentence.
std::string withCapitalStart(std::string_view text);

// The start-up error: description + " (error number " + number + ")!", capitalised.
std::string startupErrorText(std::string_view description, int number);

}  // namespace fragtide::ui
