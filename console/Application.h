#pragma once

namespace vk {

// The program's title: its name for the desktop and the caption of its error boxes.
inline constexpr char kApplicationTitle[] = "TERMVK785N";

// The window's pixel layout was drawn for the classic Windows look: group box
// captions on the frame line, where the radio buttons leave room for them.
inline constexpr char kApplicationStyle[] = "Windows";

// Gives the running application the program's title and look.
void setUpApplication();

}  // namespace vk
