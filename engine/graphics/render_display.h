// The display the application core talks to (IDisplay), built on the display handler, and the host that
// binds the display handler to the running application.
#pragma once

// Makes the application create this display: installs the factory and the application's display host.
void InstallDisplay();
