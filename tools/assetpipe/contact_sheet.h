// Contact sheets: every picture and every animation's frames of a built asset folder, labelled
// with their asset names, on a few PNG pages for review at a glance; and scenes of sprites placed on
// a picture.
#pragma once

#include <string>
#include <vector>

namespace assetpipe {

// Writes "<prefix>_pictures_N.png" and "<prefix>_animations_N.png" pages; the written paths go
// to pages. With chosen name prefixes, only the assets whose names start with one of them, drawn
// larger. False with a message when the folder cannot be read or a page cannot be written.
bool WriteContactSheets(const std::string& assetFolder, const std::string& prefix,
                        const std::vector<std::string>& chosen, std::vector<std::string>* pages, std::string* error);

// An animation's first frame placed with its registration point at (x, y).
struct ScenePlacement {
    std::string animation;  // asset name
    double x = 0, y = 0;
};

// Draws the sprites over the picture (asset names, without extensions) into output, as the game
// places and layers them (the farther, higher up, first): how a scene of the game looks.
bool WriteScene(const std::string& assetFolder, const std::string& background, const std::vector<ScenePlacement>& sprites,
                const std::string& output, std::string* error);

}  // namespace assetpipe
