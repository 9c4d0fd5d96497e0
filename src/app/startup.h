#pragma once
// What the program sets up before the session starts (Main).

namespace app {
// Installs the main window (frmMain) as the one the login opens and a user switch
// or a rename of the shop updates.
void InstallMainWindow();

// Makes the skin's style the program's and lets the login attach the drawn skin
// to itself (the main window attaches it itself).
void InstallSkin();
}  // namespace app
