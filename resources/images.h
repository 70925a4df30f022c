#pragma once

namespace tavrino {

// Makes the images of the resource file available under ":/images/". A
// static library's resources are not registered on their own; call this
// before the first image is loaded (more calls do nothing).
void RegisterImages();

}  // namespace tavrino
