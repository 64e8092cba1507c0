// Contact sheets: every picture and every animation's frames of a built asset folder, labelled
// with their asset names, on a few PNG pages for review at a glance.
#pragma once

#include <string>
#include <vector>

namespace assetpipe {

// Writes "<prefix>_pictures_N.png" and "<prefix>_animations_N.png" pages; the written paths go
// to pages. False with a message when the folder cannot be read or a page cannot be written.
bool WriteContactSheets(const std::string& assetFolder, const std::string& prefix, std::vector<std::string>* pages,
                        std::string* error);

}  // namespace assetpipe
