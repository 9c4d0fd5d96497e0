#pragma once
// What the program sets up before the session starts (Main).

// Installs the main window (frmMain) as the one the login opens and a user switch
// or a rename of the shop updates.
void InstallMainWindow();
